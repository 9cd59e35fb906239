#include "input/input.h"

void Input::poll() {
    for (int k = 0; k < KEY_MAX; ++k) {
        before[k] = now[k];
        now[k] = key[k] != 0;
    }
    buttonsBefore = buttonsNow;
    buttonsNow = mouse_b;
    x = mouse_x;
    y = mouse_y;
}

void Input::forgetHeld() {
    poll();
    for (int k = 0; k < KEY_MAX; ++k) before[k] = now[k];
    buttonsBefore = buttonsNow;
}
