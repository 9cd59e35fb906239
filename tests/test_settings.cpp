// The settings file: defaults for anything missing or damaged, and written whole.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/support.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }
    teste::PastaTemporaria folder;
};

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
    const Settings s = loadSettings();
    EXPECT_EQ(s.scale, 0);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_FALSE(s.mute);
}

TEST_F(SettingsFile, RoundTrip) {
    Settings s;
    s.scale = 3;
    s.fullscreen = true;
    s.mute = true;
    ASSERT_TRUE(saveSettings(s));
    const Settings back = loadSettings();
    EXPECT_EQ(back.scale, 3);
    EXPECT_TRUE(back.fullscreen);
    EXPECT_TRUE(back.mute);
    EXPECT_EQ(teste::temporaryFilesOf("lumo.cfg"), 0);
}

TEST_F(SettingsFile, EachBadValueFallsBackAlone) {
    const char* bad[] = {"zz", "9", "-1", "2x", "", "1.5"};
    for (const char* v : bad) {
        teste::escreveArquivo("lumo.cfg", std::string("[display]\nscale = ") + v +
                                              "\nfullscreen = " + v + "\n[sound]\nmute = 1\n");
        const Settings s = loadSettings();
        EXPECT_EQ(s.scale, 0) << v;
        EXPECT_FALSE(s.fullscreen) << v;
        EXPECT_TRUE(s.mute) << "a good value beside bad ones is kept";
    }
    teste::escreveArquivo("lumo.cfg", std::string("\x01\xff[[[\n=\n", 8));
    EXPECT_EQ(loadSettings().scale, 0);
}

TEST_F(SettingsFile, ReadOnlyFileIsLeftAlone) {
    teste::escreveArquivo("lumo.cfg", "[display]\nscale = 2\n");
    chmod("lumo.cfg", 0444);
    Settings s;
    s.scale = 5;
    EXPECT_FALSE(saveSettings(s));
    EXPECT_EQ(loadSettings().scale, 2);
}

TEST_F(SettingsFile, UnreadableFileGivesTheDefaults) {
    teste::escreveArquivo("lumo.cfg", "[display]\nscale = 3\nfullscreen = 1\n");
    chmod("lumo.cfg", 0);
    if (getuid() != 0) {  // root reads it anyway
        EXPECT_EQ(loadSettings().scale, 0);
        EXPECT_FALSE(loadSettings().fullscreen);
    }
    chmod("lumo.cfg", 0644);
    mkdir("folder.cfg", 0755);
    EXPECT_EQ(loadSettings("folder.cfg").scale, 0) << "a folder in the file's place";
}

TEST_F(SettingsFile, FullscreenChoiceKeepsEverythingElse) {
    teste::escreveArquivo("lumo.cfg", "[display]\nscale = 3\nfullscreen = 0\n[sound]\nmute = 1\n");
    ASSERT_TRUE(saveFullscreenChoice(true));
    Settings s = loadSettings();
    EXPECT_TRUE(s.fullscreen);
    EXPECT_EQ(s.scale, 3);
    EXPECT_TRUE(s.mute);
    ASSERT_TRUE(saveFullscreenChoice(false));
    s = loadSettings();
    EXPECT_FALSE(s.fullscreen);
    EXPECT_TRUE(s.mute);
    // No file yet: one is written with the defaults and the choice.
    std::remove("lumo.cfg");
    ASSERT_TRUE(saveFullscreenChoice(true));
    EXPECT_TRUE(loadSettings().fullscreen);
    EXPECT_EQ(loadSettings().scale, 0);
}

}  // namespace
