#include "settings/settings.h"

#include "settings/ini_text.h"
#include "storage/messages.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"

#include <cstdio>
#include <cstdlib>

const char* const SETTINGS_FILE = "lumo.cfg";

namespace {

// Far more than any settings file a person writes.
const size_t MAX_BYTES = 64 * 1024;

// A whole decimal number within [low, high], or the fallback.
int readInt(const std::string& text, const char* section, const char* name, int low, int high, int fallback) {
    const std::optional<std::string> value = iniValue(text, section, name);
    if (!value || value->empty()) return fallback;
    char* end = nullptr;
    const long number = std::strtol(value->c_str(), &end, 10);
    if (*end != '\0' || number < low || number > high) return fallback;
    return static_cast<int>(number);
}

std::string readText(const std::string& text, const char* section, const char* name) {
    return iniValue(text, section, name).value_or("");
}

}  // namespace

Settings loadSettings(const std::string& path) {
    Settings s;
    std::string text, reason;
    if (!readPlayerFile(path, text, MAX_BYTES, &reason)) {
        if (!isNotFound(reason)) reportFileProblem(path, reason);
        return s;
    }
    s.scale = readInt(text, "display", "scale", 0, 8, s.scale);
    s.fullscreen = readInt(text, "display", "fullscreen", 0, 1, s.fullscreen) == 1;
    s.integer = readInt(text, "display", "integer", 0, 1, s.integer) == 1;
    s.mute = readInt(text, "sound", "mute", 0, 1, s.mute) == 1;
    s.turnClockwise = readText(text, "keys", "turn_clockwise");
    s.turnAnticlockwise = readText(text, "keys", "turn_anticlockwise");
    s.pauseKeys = readText(text, "keys", "pause");
    s.muteKeys = readText(text, "keys", "mute");
    s.padDevice = readText(text, "gamepad", "device");
    s.padStick = readInt(text, "gamepad", "stick", 0, 7, s.padStick);
    s.padDpad = readInt(text, "gamepad", "dpad_stick", -1, 7, s.padDpad);
    s.padDeadZone = readInt(text, "gamepad", "dead_zone", 0, 99, s.padDeadZone);
    s.padConfirm = readInt(text, "gamepad", "confirm_button", 0, 31, s.padConfirm);
    s.padCancel = readInt(text, "gamepad", "cancel_button", 0, 31, s.padCancel);
    s.padBack = readInt(text, "gamepad", "back_button", 0, 31, s.padBack);
    s.padStart = readInt(text, "gamepad", "start_button", 0, 31, s.padStart);
    return s;
}

void SettingsSaver::change(const std::string& section, const std::string& key, int value) {
    changes.push_back({section, key, std::to_string(value)});
}

bool SettingsSaver::flush(LockWait wait) {
    if (changes.empty()) return true;
    FileLock lock(path, wait);
    if (lock.busy()) return false;
    // Afresh, under the lock: another copy may have saved its own choice.
    // A link another user left in a shared folder reads as no file: the save
    // then holds the player's choices only, and replaces the link itself.
    std::string text, reason;
    bool ok = readPlayerFile(path, text, MAX_BYTES, &reason) || readsAsAbsent(reason);
    if (ok) {
        for (const Change& c : changes) text = withIniValue(text, c.section, c.key, c.value);
        ok = writeWholeFile(path, text, &reason);
    }
    if (!ok) std::fprintf(stderr, "lumo: could not save %s: %s\n", path.c_str(), reason.c_str());
    changes.clear();
    return true;
}
