#include "settings/settings.h"

#include "storage/whole_file.h"

#include <allegro.h>

#include <cstdlib>

const char* const SETTINGS_FILE = "lumo.cfg";

namespace {

// A whole decimal number within [low, high], or the fallback: Allegro's own
// get_config_int reads "zz" as 0, which would pass for a value.
int readInt(const char* section, const char* name, int low, int high, int fallback) {
    const char* text = get_config_string(section, name, nullptr);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < low || value > high) return fallback;
    return static_cast<int>(value);
}

}  // namespace

Settings loadSettings(const std::string& path) {
    Settings s;
    // Reading only: nothing is changed, so Allegro has nothing to write back.
    push_config_state();
    set_config_file(path.c_str());
    s.scale = readInt("display", "scale", 0, 8, s.scale);
    s.fullscreen = readInt("display", "fullscreen", 0, 1, s.fullscreen) == 1;
    s.integer = readInt("display", "integer", 0, 1, s.integer) == 1;
    s.mute = readInt("sound", "mute", 0, 1, s.mute) == 1;
    pop_config_state();
    return s;
}

bool saveSettings(const Settings& s, const std::string& path) {
    const std::string text = "[display]\nscale = " + std::to_string(s.scale) +
                             "\nfullscreen = " + std::to_string(s.fullscreen ? 1 : 0) +
                             "\n\n[sound]\nmute = " + std::to_string(s.mute ? 1 : 0) + "\n";
    return writeWholeFile(path, text);
}

bool saveFullscreenChoice(bool fullscreen, const std::string& path) {
    Settings s = loadSettings(path);
    s.fullscreen = fullscreen;
    return saveSettings(s, path);
}
