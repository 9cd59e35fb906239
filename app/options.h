// The command line: what the player asked for this run. Parsing only; main
// decides what to do with it.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool version = false;
    std::optional<int> scale;       // 1 to 8; unset: the settings file decides
    std::optional<bool> fullscreen; // --fullscreen / --windowed; the last one wins
    bool mute = false;              // start with the sound muted
    bool integer = false;           // whole factors only, as [display] integer = 1
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line was understood
};

// The arguments after the program's name.
ParsedOptions parseOptions(const std::vector<std::string>& arguments);
std::string usageText();
std::string versionText();

struct Settings;
struct WindowRequest;
// The window for this run: the command line wins over the settings file.
WindowRequest chooseWindow(const Options& options, const Settings& settings);
