// The settings file: defaults for anything missing or damaged, and the
// player's own text kept when the game saves a choice into it.
#include <gtest/gtest.h>

#include "settings/ini_text.h"
#include "settings/settings.h"
#include "storage/file_lock.h"
#include "tests/headless.h"

#include <filesystem>
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
    const char* bad[] = {"zz", "9", "-1", "2x", "", "1.5", "3 x"};
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

// What a person writes: an editor's byte order mark, CRLF lines, a comment
// glued to a number or a key list, a path that holds '#' or ';'. Saving the
// value a file already holds leaves it as it was, byte for byte.
TEST_F(SettingsFile, WhatAPersonWritesIsReadAndKept) {
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        std::string text;
        int scale;
        std::string device, pause;
    } cases[] = {
        {mark + "[gamepad]\ndevice = /pads/js1\n", 0, "/pads/js1", ""},
        {mark + "# mine\r\n[display]\r\nscale = 2\r\n", 2, "", ""},
        {"[display]\nscale = 1#c\n", 1, "", ""},
        {"[display]\nscale = 1;c", 1, "", ""},
        {"[display]\nscale = 3   # bigger\r\n", 3, "", ""},
        {"[keys]\npause = SPACE P;mine\n", 0, "", "SPACE P"},
        {"[gamepad]\ndevice = /pads/#1;a\n", 0, "/pads/#1;a", ""},
        {"[gamepad]\ndevice = /pads/js0 # mine\n", 0, "/pads/js0", ""},
        {"[gamepad]\ndevice = /pads/js0\t;mine\n", 0, "/pads/js0", ""},
    };
    for (const auto& c : cases) {
        test::writeFile("lumo.cfg", c.text);
        const Settings s = loadSettings();
        EXPECT_EQ(s.scale, c.scale) << c.text;
        EXPECT_EQ(s.padDevice, c.device) << c.text;
        EXPECT_EQ(s.pauseKeys, c.pause) << c.text;
        if (c.scale == 0) continue;
        save("display", "scale", c.scale);
        EXPECT_EQ(test::readFile("lumo.cfg"), c.text);
    }
    test::writeFile("lumo.cfg", mark + "[display]\r\nscale = 2\r\n");
    save("display", "scale", 4);
    save("sound", "mute", 1);
    EXPECT_EQ(test::readFile("lumo.cfg"), mark + "[display]\r\nscale = 4\r\n\r\n[sound]\r\nmute = 1\r\n");
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
    EXPECT_EQ(withIniValue("\xEF\xBB\xBF", "sound", "mute", "1"), "\xEF\xBB\xBF[sound]\nmute = 1\n");
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
// frame instead of the frame waiting for the lock, and the wait is said once.
// At exit nothing waits: what the lock kept out is named as not saved.
TEST_F(SettingsFile, BusyLockLeavesTheChoiceForLater) {
    const std::string file = std::filesystem::current_path().string() + "/lumo.cfg";
    auto holder = std::make_unique<test::HeldLock>("lumo.cfg");
    ASSERT_TRUE(holder->held());
    SettingsSaver saver;
    saver.change("sound", "mute", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(saver.flush());
    EXPECT_FALSE(saver.flush());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lumo: " + file + " is locked by another process: the choice is saved once it is free\n");
    EXPECT_TRUE(saver.waiting());
    EXPECT_FALSE(loadSettings().mute);
    holder.reset();
    saver.change("display", "fullscreen", 1);
    EXPECT_TRUE(saver.flush());
    EXPECT_TRUE(loadSettings().mute) << "the choice kept back is saved with the next";
    EXPECT_TRUE(loadSettings().fullscreen);

    holder = std::make_unique<test::HeldLock>("lumo.cfg");
    saver.change("sound", "mute", 0);
    saver.change("display", "scale", 2);
    testing::internal::CaptureStderr();
    saver.finish();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lumo: " + file + " is locked by another process: not saved: [sound] mute = 0, [display] scale = 2\n");
    EXPECT_FALSE(saver.waiting());
    EXPECT_TRUE(loadSettings().mute);
}

TEST_F(SettingsFile, LockNeverFollowsALink) {
    ASSERT_EQ(symlink("elsewhere", "lumo.cfg.lock"), 0);
    {
        FileLock lock("lumo.cfg");
    }
    struct stat info;
    EXPECT_NE(lstat("elsewhere", &info), 0) << "nothing created where the link points";
}

}  // namespace
