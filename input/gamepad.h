// A gamepad through Allegro's joystick driver (Linux: /dev/input/js0, or the
// device lumo.cfg names). Allegro reports nothing when a pad goes or comes,
// and keeps the last axis held when one is pulled out: the device node is
// watched here, and the driver started again now and then while no pad is
// there, so a pad plugged in while the game runs is taken up.
#pragma once

#include "input/gamepad_layout.h"

#include <string>
#include <sys/types.h>

// What the first pad holds, as Allegro last read it.
struct PadControls {
    bool left = false, right = false, up = false, down = false;
    bool confirm = false, cancel = false, back = false, start = false;
};

// Nothing held when no pad is there (num_joysticks is 0).
PadControls readPad(const GamepadLayout& layout);

class Gamepad {
public:
    // Starts the driver on `device`; "" for /dev/input/js0. Says so on
    // stderr, once, only when a device the player named cannot be used.
    void start(const std::string& device);
    // Once a frame, before the pad is read: polls it, and watches its node
    // (about once a second); while none is there and `mayRetry` (the menu),
    // starts the driver again about every 2 s.
    void frame(bool mayRetry);
    // True once after a pad went away.
    bool takeLoss();
    void stop();

    static const int CHECK_FRAMES = 30;  // about a second at 30 frames a second
    static const int RETRY_FRAMES = 60;

private:
    // A node as stat saw it: a changed one is worth another try.
    struct Node {
        dev_t device = 0;
        ino_t inode = 0;
        mode_t mode = 0;
        long long mtime = -1;  // nanoseconds
        bool operator==(const Node& o) const {
            return device == o.device && inode == o.inode && mode == o.mode && mtime == o.mtime;
        }
    };

    void install();
    void say(const std::string& problem);

    std::string path;
    bool started = false;
    bool named = false;  // the player named the device
    std::string said;    // the last problem said, so each is said once
    Node refused;        // the last node that was no device at all
    bool lost = false;
    int frames = 0;
};
