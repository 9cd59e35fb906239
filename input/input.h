// The keyboard and the mouse as one frame sees them: read once at the start
// of the frame, so every part of the frame agrees, and compared with the
// frame before, so a key or a button acts once, on the frame it goes down.
#pragma once

#include <allegro.h>

class Input {
public:
    // Reads Allegro's key and mouse state for this frame.
    void poll();
    // Counts whatever is held right now as old, so a press that began on
    // another screen does nothing on the next one.
    void forgetHeld();

    bool held(int scancode) const { return now[scancode]; }
    bool pressed(int scancode) const { return now[scancode] && !before[scancode]; }
    // The left button went down this frame (the left button alone, as the
    // menu has always taken a click), or went down and up again since the
    // last frame: a quick click on a busy machine is not lost.
    bool clicked() const { return (buttonsNow == 1 && !(buttonsBefore & 1)) || quickClick; }
    int mouseX() const { return x; }
    int mouseY() const { return y; }

private:
    bool now[KEY_MAX] = {};
    bool before[KEY_MAX] = {};
    int buttonsNow = 0, buttonsBefore = 0;
    bool quickClick = false;
    int x = 0, y = 0;
};
