#include "input/input.h"

#include "display/viewport.h"

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
    // The window may show the picture magnified or on a black border: the
    // game works in picture pixels, and a border point is no picture pixel.
    toPicture(currentViewport(), mouse_x, mouse_y, x, y);
}

void Input::forgetHeld() {
    poll();
    for (int k = 0; k < KEY_MAX; ++k) before[k] = now[k];
    buttonsBefore = buttonsNow;
    quickClick = false;
}
