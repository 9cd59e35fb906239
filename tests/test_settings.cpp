// The settings file: defaults for anything missing or damaged, and the
// player's own text kept when the game saves a choice into it.
#include <gtest/gtest.h>

#include "settings/ini_text.h"
#include "settings/settings.h"
#include "storage/file_lock.h"
#include "tests/headless.h"

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SettingsFile : public test::Headless {
protected:

    // Saves one choice and waits for nothing: the lock is free here.
    static void save(const char* section, const char* key, int value) {
        SettingsSaver saver;
        saver.change(section, key, value);
        ASSERT_TRUE(saver.flush());
    }
};

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
    const Settings s = loadSettings();
    EXPECT_EQ(s.scale, 0);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_FALSE(s.mute);
}

TEST_F(SettingsFile, EachBadValueFallsBackAlone) {
    const char* bad[] = {"zz", "9", "-1", "2x", "", "1.5", "3#x"};
    for (const char* v : bad) {
        test::writeFile("lumo.cfg", std::string("[display]\nscale = ") + v +
                                              "\nfullscreen = " + v + "\n[sound]\nmute = 1\n");
        const Settings s = loadSettings();
        EXPECT_EQ(s.scale, 0) << v;
        EXPECT_FALSE(s.fullscreen) << v;
        EXPECT_TRUE(s.mute) << "a good value beside bad ones is kept";
    }
    test::writeFile("lumo.cfg", std::string("\x01\xff[[[\n=\n", 8));
    EXPECT_EQ(loadSettings().scale, 0);
}

TEST_F(SettingsFile, ValuesWithCommentsAreRead) {
    test::writeFile("lumo.cfg",
                          "# my settings\r\n[display]\r\nscale = 3   # bigger\r\n  fullscreen=1;on\r\n"
                          "[sound]\nmute = 1 ; quiet\n");
    const Settings s = loadSettings();
    EXPECT_EQ(s.scale, 3);
    EXPECT_FALSE(s.fullscreen) << "a ';' glued to the value is part of it: 1;on is no number";
    EXPECT_TRUE(s.mute);
}

TEST_F(SettingsFile, SavingKeepsWhatThePlayerWrote) {
    const std::string mine =
        "; written by hand\n[display]\nscale = 3   # bigger\n\n[keys]\nturn_clockwise = D RIGHT\n"
        "[mine]\nanything = at all\n";
    test::writeFile("lumo.cfg", mine);
    save("sound", "mute", 1);
    save("display", "fullscreen", 1);
    const std::string text = test::readFile("lumo.cfg");
    EXPECT_EQ(text,
              "; written by hand\n[display]\nscale = 3   # bigger\nfullscreen = 1\n\n[keys]\n"
              "turn_clockwise = D RIGHT\n[mine]\nanything = at all\n\n[sound]\nmute = 1\n");
    save("display", "scale", 12);  // a value longer than the one it replaces
    EXPECT_NE(test::readFile("lumo.cfg").find("scale = 12   # bigger\n"), std::string::npos);
    EXPECT_EQ(test::temporaryFilesOf("lumo.cfg"), 0);
}

TEST_F(SettingsFile, IniEdgesOfTheText) {
    EXPECT_EQ(withIniValue("", "sound", "mute", "1"), "[sound]\nmute = 1\n");
    EXPECT_EQ(withIniValue("[sound]", "sound", "mute", "1"), "[sound]\nmute = 1\n");
    EXPECT_EQ(withIniValue("[sound]\nmute =  # off\n", "sound", "mute", "1"), "[sound]\nmute =  1 # off\n");
    EXPECT_EQ(iniValue("[sound]\nmute = 1 # off", "sound", "mute"), "1");
    EXPECT_EQ(iniValue("[other]\nmute = 1\n", "sound", "mute"), std::nullopt);
    EXPECT_EQ(iniValue("[sound]\n# mute = 1\n", "sound", "mute"), std::nullopt);
    EXPECT_EQ(iniValue("[keys]   # mine\npause = SPACE\n", "keys", "pause"), "SPACE");
    EXPECT_EQ(iniValue("[keys] pause = SPACE\n", "keys", "pause"), std::nullopt) << "no header";
}

TEST_F(SettingsFile, ReadOnlyFileIsLeftAlone) {
    test::writeFile("lumo.cfg", "[display]\nscale = 2\n");
    chmod("lumo.cfg", 0444);
    save("display", "scale", 5);
    EXPECT_EQ(loadSettings().scale, 2);
}

TEST_F(SettingsFile, UnreadableFileGivesTheDefaults) {
    test::writeFile("lumo.cfg", "[display]\nscale = 3\nfullscreen = 1\n");
    chmod("lumo.cfg", 0);
    if (getuid() != 0) {  // root reads it anyway
        EXPECT_EQ(loadSettings().scale, 0);
        EXPECT_FALSE(loadSettings().fullscreen);
    }
    chmod("lumo.cfg", 0644);
    mkdir("folder.cfg", 0755);
    EXPECT_EQ(loadSettings("folder.cfg").scale, 0) << "a folder in the file's place";
    mkfifo("pipe.cfg", 0644);
    EXPECT_EQ(loadSettings("pipe.cfg").scale, 0) << "a pipe is refused, not waited on";
}

// Another program holding lumo.cfg's lock: the choice waits for a later
// frame instead of the frame waiting for the lock.
TEST_F(SettingsFile, BusyLockLeavesTheChoiceForLater) {
    auto holder = std::make_unique<test::HeldLock>("lumo.cfg");
    ASSERT_TRUE(holder->held());
    SettingsSaver saver;
    saver.change("sound", "mute", 1);
    EXPECT_FALSE(saver.flush());
    EXPECT_TRUE(saver.waiting());
    EXPECT_FALSE(loadSettings().mute);
    FileLock blocked("lumo.cfg", LockWait::Briefly, [] { return true; });
    EXPECT_FALSE(blocked.held()) << "a request to quit ends the wait";
    EXPECT_TRUE(blocked.busy());
    holder.reset();
    EXPECT_TRUE(saver.flush());
    EXPECT_TRUE(loadSettings().mute);
}

TEST_F(SettingsFile, LockNeverFollowsALink) {
    ASSERT_EQ(symlink("elsewhere", "lumo.cfg.lock"), 0);
    {
        FileLock lock("lumo.cfg", LockWait::Once);
    }
    struct stat info;
    EXPECT_NE(lstat("elsewhere", &info), 0) << "nothing created where the link points";
}

}  // namespace
