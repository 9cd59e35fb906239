// The command line: every option, every bad value, and how it meets the
// settings file.
#include <gtest/gtest.h>

#include "app/options.h"
#include "display/window.h"
#include "settings/settings.h"

#include <string>
#include <vector>

namespace {

ParsedOptions parse(std::vector<std::string> args) { return parseOptions(args); }

TEST(CommandLine, NothingGivenLeavesEverythingToTheSettings) {
    const ParsedOptions p = parse({});
    EXPECT_EQ(p.error, "");
    EXPECT_FALSE(p.options.help);
    EXPECT_FALSE(p.options.version);
    EXPECT_FALSE(p.options.scale.has_value());
    EXPECT_FALSE(p.options.fullscreen.has_value());
    EXPECT_FALSE(p.options.mute);
}

TEST(CommandLine, EachOptionIsUnderstood) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).options.help);
    EXPECT_TRUE(parse({"--version"}).options.version);
    EXPECT_TRUE(parse({"--mute"}).options.mute);
    EXPECT_TRUE(parse({"--integer"}).options.integer);
    EXPECT_FALSE(parse({"--mute"}).options.integer);
    EXPECT_EQ(parse({"--fullscreen"}).options.fullscreen, std::optional<bool>(true));
    EXPECT_EQ(parse({"--windowed"}).options.fullscreen, std::optional<bool>(false));
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(parse({"--scale", std::to_string(n)}).options.scale, std::optional<int>(n));
        EXPECT_EQ(parse({"--scale=" + std::to_string(n)}).options.scale, std::optional<int>(n));
    }
    const ParsedOptions all = parse({"--mute", "--scale", "3", "--fullscreen", "--windowed"});
    EXPECT_EQ(all.error, "");
    EXPECT_TRUE(all.options.mute);
    EXPECT_EQ(all.options.scale, std::optional<int>(3));
    EXPECT_EQ(all.options.fullscreen, std::optional<bool>(false)) << "the last of the two wins";
}

TEST(CommandLine, BadValuesAndUnknownOptionsAreNamed) {
    for (const char* bad : {"0", "9", "x", "-1", "+2", "2x", "", "1.5", "10", " 2", "08x"}) {
        const ParsedOptions p = parse({"--scale", bad});
        EXPECT_NE(p.error.find(std::string("'") + bad + "'"), std::string::npos) << bad << ": " << p.error;
        EXPECT_NE(p.error.find("--scale"), std::string::npos) << p.error;
        EXPECT_FALSE(p.options.scale.has_value());
    }
    EXPECT_NE(parse({"--scale=0"}).error.find("'0'"), std::string::npos);
    EXPECT_NE(parse({"--scale"}).error.find("--scale"), std::string::npos) << "a missing value";
    for (const char* unknown : {"--bogus", "-x", "scale", "--Scale", "--fullscreen=1", "--"}) {
        const ParsedOptions p = parse({"--mute", unknown});
        EXPECT_EQ(p.error, std::string("unknown option '") + unknown + "'");
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line";
    }
}

TEST(CommandLine, UsageNamesEveryOptionAndTheVersionComesFromTheProject) {
    const std::string usage = usageText();
    for (const char* o : {"--scale N", "--integer", "--fullscreen", "--windowed", "--mute", "--help", "--version"})
        EXPECT_NE(usage.find(o), std::string::npos) << o;
    EXPECT_NE(usage.find("start with the sound muted"), std::string::npos);
    for (const char* k : {"Enter or Space", "Escape", "P pause", "M sound", "Alt+Enter", "Start", "[keys]"})
        EXPECT_NE(usage.find(k), std::string::npos) << k;
    EXPECT_EQ(versionText(), std::string("lumo ") + LUMO_VERSION + "\n");
}

TEST(CommandLine, OptionsWinOverTheSettingsFile) {
    Settings saved;
    saved.scale = 4;
    saved.fullscreen = true;
    WindowRequest r = chooseWindow(parse({}).options, saved);
    EXPECT_EQ(r.scale, 4);
    EXPECT_TRUE(r.fullscreen);
    r = chooseWindow(parse({"--scale", "2", "--windowed"}).options, saved);
    EXPECT_EQ(r.scale, 2);
    EXPECT_FALSE(r.fullscreen);
    EXPECT_FALSE(r.wholeFactors);
    r = chooseWindow(parse({"--fullscreen"}).options, Settings());
    EXPECT_EQ(r.scale, 0) << "fit the desktop";
    EXPECT_TRUE(r.fullscreen);
    // Whole factors only when either the file or the command line asks.
    EXPECT_TRUE(chooseWindow(parse({"--integer"}).options, Settings()).wholeFactors);
    saved.integer = true;
    EXPECT_TRUE(chooseWindow(parse({}).options, saved).wholeFactors);
}

}  // namespace
