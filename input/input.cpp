#include "input/input.h"

#include "display/viewport.h"

#include <atomic>

namespace {

// Presses as Allegro's drivers report them, one by one, between two polls:
// a frame only sees the keys and buttons as they are when it starts, so a
// key let go and pressed again within one frame would look held throughout,
// and one pressed and let go would not be seen at all.
std::atomic<int> leftPresses{0};
std::atomic<bool> keyDown[KEY_MAX];
std::atomic<int> keyPresses[KEY_MAX];

void countPresses(int flags) {
    if (flags & MOUSE_FLAG_LEFT_DOWN) leftPresses++;
}

// The driver repeats a held key's press; only a key that was up counts.
void countKeyPresses(int scancode) {
    const int k = scancode & 0x7f;
    if (k >= KEY_MAX) return;
    if (scancode & 0x80) {
        keyDown[k] = false;
    } else if (!keyDown[k].exchange(true)) {
        keyPresses[k]++;
    }
}

// A key or button pressed this frame: it is down now and was up a frame ago,
// or its driver reported presses since then. The driver sets the state a
// moment before it reports, and on a busy machine that moment can last a few
// polls: a press taken from the state stays `unreported` until its report
// comes, and that report does not count again.
bool pressedNow(bool now, bool before, int reports, bool& unreported) {
    if (unreported && reports > 0) {
        reports--;
        unreported = false;
    }
    const bool edge = now && !before;
    if (edge && reports == 0) unreported = true;
    return edge || reports > 0;
}

}  // namespace

void Input::poll() {
    keyboard_lowlevel_callback = countKeyPresses;
    mouse_callback = countPresses;
    // Reports are taken before the state: a press reported by now is in it.
    for (int k = 0; k < KEY_MAX; ++k) {
        const int reports = keyPresses[k].exchange(0);
        const bool before = now[k];
        now[k] = key[k] != 0;
        keyPressed[k] = pressedNow(now[k], before, reports, keyUnreported[k]);
    }
    const int reports = leftPresses.exchange(0);
    const int buttonsBefore = buttonsNow;
    buttonsNow = mouse_b;
    leftPressed = pressedNow(buttonsNow & 1, buttonsBefore & 1, reports, leftUnreported);
    // The window may show the picture magnified or on a black border: the
    // game works in picture pixels, and a border point is no picture pixel.
    toPicture(currentViewport(), mouse_x, mouse_y, x, y);
}

// A press the poll took from the state alone stays marked unreported, so its
// late report is not taken for a new press either.
void Input::forgetHeld() {
    poll();
    for (bool& k : keyPressed) k = false;
    leftPressed = false;
}
