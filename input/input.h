// The keyboard and the mouse as one frame sees them: read once at the start
// of the frame (the steering still reads key[] itself), and compared with the
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
    // Went down this frame, or went down since the last frame even if it
    // went up in between, or was let go and pressed again: on a busy
    // machine a quick key is not lost.
    bool pressed(int scancode) const { return keyPressed[scancode]; }
    // The left button went down this frame (the left button alone, as the
    // menu has always taken a click), or went down since the last frame with
    // no other button held now: a quick click on a busy machine is not lost.
    bool clicked() const { return leftPressed && (buttonsNow & ~1) == 0; }
    int mouseX() const { return x; }
    int mouseY() const { return y; }

private:
    bool now[KEY_MAX] = {};
    bool keyPressed[KEY_MAX] = {};
    bool keyUnreported[KEY_MAX] = {};
    int buttonsNow = 0;
    bool leftPressed = false, leftUnreported = false;
    int x = 0, y = 0;
};
