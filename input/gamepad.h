// A gamepad through Allegro's joystick driver (Linux: /dev/input/js0, or the
// device lumo.cfg names). Allegro reports nothing when a pad goes or comes,
// and keeps the last axis held when one is pulled out: the device node is
// watched here, and the driver started again now and then while no pad is
// there, so a pad plugged in while the game runs is taken up.
#pragma once

#include <string>

// Which axes and buttons do what; Xbox-style pads by default.
struct GamepadLayout {
    int stick = 0;     // the stick whose x axis steers and whose axes move the focus
    int dpad = -1;     // the d-pad's stick; -1: the last one Allegro reports
    int deadZone = 33;  // percent of an axis's range either way that counts as centred
    int confirm = 0;   // A: Enter
    int cancel = 1;    // B: Escape, but never during play
    int back = 6;      // Back: Escape everywhere
    int start = 7;     // Start: P in a game, Enter elsewhere
};

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
    // stderr, once, only when a device the player named cannot be opened.
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
    void install();

    std::string path;
    bool started = false;
    bool named = false;     // the player named the device
    bool reported = false;  // its failure was said once
    bool lost = false;
    int frames = 0;
};
