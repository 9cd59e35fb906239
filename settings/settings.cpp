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

std::string readText(const char* section, const char* name) {
    const char* text = get_config_string(section, name, nullptr);
    return text ? text : "";
}

}  // namespace

Settings loadSettings(const std::string& path) {
    Settings s;
    // Reading only: nothing is changed, so Allegro has nothing to write back.
    push_config_state();
    set_config_file(path.c_str());
    s.scale = readInt("display", "scale", 0, 8, s.scale);
    s.fullscreen = readInt("display", "fullscreen", 0, 1, s.fullscreen) == 1;
    s.mute = readInt("sound", "mute", 0, 1, s.mute) == 1;
    s.turnClockwise = readText("keys", "turn_clockwise");
    s.turnAnticlockwise = readText("keys", "turn_anticlockwise");
    s.pauseKeys = readText("keys", "pause");
    s.muteKeys = readText("keys", "mute");
    s.padDevice = readText("gamepad", "device");
    s.padStick = readInt("gamepad", "stick", 0, 7, s.padStick);
    s.padDpad = readInt("gamepad", "dpad_stick", -1, 7, s.padDpad);
    s.padDeadZone = readInt("gamepad", "dead_zone", 0, 99, s.padDeadZone);
    s.padConfirm = readInt("gamepad", "confirm_button", 0, 31, s.padConfirm);
    s.padCancel = readInt("gamepad", "cancel_button", 0, 31, s.padCancel);
    s.padBack = readInt("gamepad", "back_button", 0, 31, s.padBack);
    s.padStart = readInt("gamepad", "start_button", 0, 31, s.padStart);
    pop_config_state();
    return s;
}

namespace {

// The player's own lines only: what is missing keeps its default.
std::string line(const char* name, const std::string& value) {
    return value.empty() ? "" : std::string(name) + " = " + value + "\n";
}

std::string line(const char* name, int value, int fallback) {
    return value == fallback ? "" : line(name, std::to_string(value));
}

}  // namespace

bool saveSettings(const Settings& s, const std::string& path) {
    std::string text = "[display]\nscale = " + std::to_string(s.scale) +
                       "\nfullscreen = " + std::to_string(s.fullscreen ? 1 : 0) +
                       "\n\n[sound]\nmute = " + std::to_string(s.mute ? 1 : 0) + "\n";
    const std::string keys = line("turn_clockwise", s.turnClockwise) +
                             line("turn_anticlockwise", s.turnAnticlockwise) + line("pause", s.pauseKeys) +
                             line("mute", s.muteKeys);
    if (!keys.empty()) text += "\n[keys]\n" + keys;
    const Settings d;
    const std::string pad = line("device", s.padDevice) + line("stick", s.padStick, d.padStick) +
                            line("dpad_stick", s.padDpad, d.padDpad) +
                            line("dead_zone", s.padDeadZone, d.padDeadZone) +
                            line("confirm_button", s.padConfirm, d.padConfirm) +
                            line("cancel_button", s.padCancel, d.padCancel) +
                            line("back_button", s.padBack, d.padBack) +
                            line("start_button", s.padStart, d.padStart);
    if (!pad.empty()) text += "\n[gamepad]\n" + pad;
    return writeWholeFile(path, text);
}

bool saveFullscreenChoice(bool fullscreen, const std::string& path) {
    Settings s = loadSettings(path);
    s.fullscreen = fullscreen;
    return saveSettings(s, path);
}
