#include "settings/settings.h"

#include "settings/ini_text.h"
#include "storage/messages.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"

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

std::string readText(const std::string& text, const char* section, const char* name,
                     IniValueKind kind = IniValueKind::Word) {
    return iniValue(text, section, name, kind).value_or("");
}

const char* const LOCKED = "is locked by another process";

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
    s.padDevice = readText(text, "gamepad", "device", IniValueKind::Path);
    GamepadLayout& pad = s.pad;
    pad.stick = readInt(text, "gamepad", "stick", 0, 7, pad.stick);
    pad.dpad = readInt(text, "gamepad", "dpad_stick", -1, 7, pad.dpad);
    pad.deadZone = readInt(text, "gamepad", "dead_zone", 0, 99, pad.deadZone);
    pad.confirm = readInt(text, "gamepad", "confirm_button", 0, 31, pad.confirm);
    pad.cancel = readInt(text, "gamepad", "cancel_button", 0, 31, pad.cancel);
    pad.back = readInt(text, "gamepad", "back_button", 0, 31, pad.back);
    pad.start = readInt(text, "gamepad", "start_button", 0, 31, pad.start);
    return s;
}

void SettingsSaver::change(const std::string& section, const std::string& key, int value) {
    changes.push_back({section, key, std::to_string(value)});
}

bool SettingsSaver::flush() {
    if (changes.empty()) return true;
    FileLock lock(path);
    if (lock.busy()) {
        if (!lockSaid) reportFileProblem(path, std::string(LOCKED) + ": the choice is saved once it is free");
        lockSaid = true;
        return false;
    }
    lockSaid = false;
    write();
    return true;
}

void SettingsSaver::finish() {
    if (changes.empty()) return;
    FileLock lock(path);
    if (!lock.busy()) {
        write();
        return;
    }
    std::string lost;
    for (const Change& c : changes) lost += (lost.empty() ? "[" : ", [") + c.section + "] " + c.key + " = " + c.value;
    reportFileProblem(path, std::string(LOCKED) + ": not saved: " + lost);
    changes.clear();
}

void SettingsSaver::write() {
    // Afresh, under the lock: another copy may have saved its own choice.
    // A link another user left in a shared folder reads as no file: the save
    // then holds the player's choices only, and replaces the link itself.
    std::string before, reason;
    const bool exists = readPlayerFile(path, before, MAX_BYTES, &reason);
    bool ok = exists || readsAsAbsent(reason);
    if (ok) {
        std::string text = before;
        for (const Change& c : changes) text = withIniValue(text, c.section, c.key, c.value);
        // Choices the file already holds leave it untouched, byte for byte.
        ok = (exists && text == before) || writeWholeFile(path, text, &reason);
    }
    if (!ok) reportFileProblem(path, "could not be saved: " + reason);
    changes.clear();
}
