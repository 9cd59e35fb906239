// The player's settings, kept in "lumo.cfg" beside "rank.txt": an INI file
// read with Allegro's configuration functions and written whole.
#pragma once

#include <string>

struct Settings {
    int scale = 0;  // window magnification: 0 fits the desktop, else 1 to 8
    bool fullscreen = false;
    bool integer = false;  // whole magnification factors only
    bool mute = false;
};

extern const char* const SETTINGS_FILE;

// Anything missing, out of range or unreadable keeps its default: a damaged
// file never stops the game.
Settings loadSettings(const std::string& path = SETTINGS_FILE);
// The whole file, written beside it and renamed over it; false on failure.
bool saveSettings(const Settings& settings, const std::string& path = SETTINGS_FILE);
// Alt+Enter's choice: the file as it stands with only `fullscreen` changed.
bool saveFullscreenChoice(bool fullscreen, const std::string& path = SETTINGS_FILE);
