#include "input/input.h"

#include <atomic>

namespace {

// Left presses as Allegro's mouse driver reports them, one by one, between
// two polls: a frame only sees the buttons as they are when it starts.
std::atomic<int> leftPresses{0};

void countPresses(int flags) {
    if (flags & MOUSE_FLAG_LEFT_DOWN) leftPresses++;
}

}  // namespace

void Input::poll() {
    for (int k = 0; k < KEY_MAX; ++k) {
        before[k] = now[k];
        now[k] = key[k] != 0;
    }
    mouse_callback = countPresses;
    buttonsBefore = buttonsNow;
    buttonsNow = mouse_b;
    quickClick = leftPresses.exchange(0) > 0 && buttonsNow == 0;
    x = mouse_x;
    y = mouse_y;
}

void Input::forgetHeld() {
    poll();
    for (int k = 0; k < KEY_MAX; ++k) before[k] = now[k];
    buttonsBefore = buttonsNow;
    quickClick = false;
}
