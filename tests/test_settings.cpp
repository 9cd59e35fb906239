// The settings file: defaults for anything missing or damaged, and written whole.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/support.h"

#include <sys/stat.h>

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

}  // namespace
