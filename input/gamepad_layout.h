// Which of a pad's axes and buttons do what: Xbox-style pads by default. The
// settings read it from lumo.cfg [gamepad] and the input reads the pad with
// it; neither needs Allegro to name it.
#pragma once

struct GamepadLayout {
    int stick = 0;      // the stick whose x axis steers and whose axes move the focus
    int dpad = -1;      // the d-pad's stick; -1: the last one Allegro reports
    int deadZone = 33;  // percent of an axis's range either way that counts as centred
    int confirm = 0;    // A: Enter
    int cancel = 1;     // B: Escape, but never during play
    int back = 6;       // Back: Escape everywhere
    int start = 7;      // Start: P in a game, Enter elsewhere
};
