// The player's settings, kept in "lumo.cfg" beside "rank.txt": an INI file
// the player may edit. The game reads it once at start-up, and writes back
// only the values the player changes while playing, where they stand.
#pragma once

#include "input/gamepad_layout.h"
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
    // [gamepad]: the device ("" for the usual one), then its sticks, buttons
    // and dead zone.
    std::string padDevice;
    GamepadLayout pad;
};

extern const char* const SETTINGS_FILE;

// Anything missing, out of range or unreadable keeps its default: a damaged
// file never stops the game.
Settings loadSettings(const std::string& path = SETTINGS_FILE);

// Choices made while playing (M, Alt+Enter), written into the file as it
// stands then, under the file's own lock so two copies of the game never drop
// each other's change. The lock is only tried, never waited for: a busy one
// is named on stderr and the choices wait for a later frame, so no frame and
// no exit ever waits on another program.
class SettingsSaver {
public:
    explicit SettingsSaver(std::string path = SETTINGS_FILE) : path(std::move(path)) {}

    void change(const std::string& section, const std::string& key, int value);
    // Writes what is waiting; true when nothing is left waiting. A file that
    // cannot be written is named on stderr and the choices are dropped.
    bool flush();
    // The last try, at exit: choices a busy lock still holds back are named
    // on stderr, as lost.
    void finish();
    bool waiting() const { return !changes.empty(); }

private:
    struct Change {
        std::string section, key, value;
    };
    void write();  // under the lock

    std::string path;
    std::vector<Change> changes;
    bool lockSaid = false;  // the busy lock was named, until a save gets it
};
