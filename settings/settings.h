// The player's settings, kept in "lumo.cfg" beside "rank.txt": an INI file
// the player may edit. The game reads it once at start-up, and writes back
// only the values the player changes while playing, where they stand.
#pragma once

#include "storage/file_lock.h"

#include <string>
#include <vector>

struct Settings {
    int scale = 0;  // window magnification: 0 fits the desktop, else 1 to 8
    bool fullscreen = false;
    bool integer = false;  // whole magnification factors only
    bool mute = false;
    // [keys]: each a list of key names as written, "" when missing; the
    // input module reads them.
    std::string turnClockwise, turnAnticlockwise, pauseKeys, muteKeys;
    // [gamepad]: the device ("" for the usual one), then stick and button
    // numbers and the dead zone in percent; -1 for the d-pad's stick is the
    // last one the driver reports.
    std::string padDevice;
    int padStick = 0, padDpad = -1, padDeadZone = 33;
    int padConfirm = 0, padCancel = 1, padBack = 6, padStart = 7;
};

extern const char* const SETTINGS_FILE;

// Anything missing, out of range or unreadable keeps its default: a damaged
// file never stops the game.
Settings loadSettings(const std::string& path = SETTINGS_FILE);

// Choices made while playing (M, Alt+Enter), written into the file as it
// stands then, under the file's own lock so two copies of the game never drop
// each other's change. The lock is only tried: a busy one leaves the choices
// for a later frame, so no frame ever waits on another program.
class SettingsSaver {
public:
    explicit SettingsSaver(std::string path = SETTINGS_FILE) : path(std::move(path)) {}

    void change(const std::string& section, const std::string& key, int value);
    // Writes what is waiting; true when nothing is left waiting. A file that
    // cannot be written is named on stderr and the choices are dropped.
    bool flush(LockWait wait = LockWait::Once);
    bool waiting() const { return !changes.empty(); }

private:
    struct Change {
        std::string section, key, value;
    };
    std::string path;
    std::vector<Change> changes;
};
