#include "input/input.h"

#include "display/viewport.h"

void Input::poll() {
    for (int k = 0; k < KEY_MAX; ++k) {
        before[k] = now[k];
        now[k] = key[k] != 0;
    }
    buttonsBefore = buttonsNow;
    buttonsNow = mouse_b;
    // The window may show the picture magnified or on a black border: the
    // game works in picture pixels, and a border point is no picture pixel.
    toPicture(currentViewport(), mouse_x, mouse_y, x, y);
}

void Input::forgetHeld() {
    poll();
    for (int k = 0; k < KEY_MAX; ++k) before[k] = now[k];
    buttonsBefore = buttonsNow;
}
