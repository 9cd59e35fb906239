#include "input/input.h"

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

const int ACTIONS = static_cast<int>(Action::Count);

// Keys with a fixed job; the turn keys, P and M are the player's (KeyBindings).
const std::vector<int> FIXED_KEYS[ACTIONS] = {
    {}, {}, {KEY_UP}, {KEY_DOWN}, {KEY_LEFT, KEY_PGUP}, {KEY_RIGHT, KEY_PGDN}, {KEY_ENTER_PAD, KEY_SPACE},
    {KEY_ESC}, {}, {}, {}, {KEY_1, KEY_1_PAD}, {KEY_2, KEY_2_PAD}, {KEY_3, KEY_3_PAD}};

}  // namespace

bool Input::anyHeld(const std::vector<int>& keys) const {
    for (int k : keys)
        if (keyNow[k]) return true;
    return false;
}

bool Input::anyPressed(const std::vector<int>& keys) const {
    for (int k : keys)
        if (keyPressed[k]) return true;
    return false;
}

void Input::poll(Screen screen) {
    keyboard_lowlevel_callback = countKeyPresses;
    mouse_callback = countPresses;
    // Reports are taken before the state: a press reported by now is in it.
    bool keyUsed = false;
    for (int k = 0; k < KEY_MAX; ++k) {
        const int reports = keyPresses[k].exchange(0);
        const bool before = keyNow[k];
        keyNow[k] = key[k] != 0;
        keyPressed[k] = pressedNow(keyNow[k], before, reports, keyUnreported[k]);
        keyUsed |= keyPressed[k];
    }
    gamepad.frame(screen == Screen::Menu);
    const PadControls padBefore = pad;
    pad = readPad(layout);

    for (int a = 0; a < ACTIONS; ++a) {
        actionHeld[a] = anyHeld(FIXED_KEYS[a]);
        actionPressed[a] = anyPressed(FIXED_KEYS[a]);
    }
    const Action chosen[] = {Action::TurnClockwise, Action::TurnAnticlockwise, Action::Pause, Action::Mute};
    for (int b = 0; b < static_cast<int>(Binding::Count); ++b) {
        actionHeld[index(chosen[b])] = anyHeld(bindings.keys[b]);
        actionPressed[index(chosen[b])] = anyPressed(bindings.keys[b]);
    }
    // Enter with Alt is the fullscreen key, without it a confirmation.
    const bool alt = keyNow[KEY_ALT] || keyNow[KEY_ALTGR];
    const int fullscreen = index(alt ? Action::Fullscreen : Action::Confirm);
    actionHeld[fullscreen] |= keyNow[KEY_ENTER];
    actionPressed[fullscreen] |= keyPressed[KEY_ENTER];

    const bool play = screen == Screen::Play;
    bool padUsed = false;
    auto fromPad = [&](Action a, bool now, bool before) {
        actionHeld[index(a)] |= now;
        actionPressed[index(a)] |= now && !before;
        padUsed |= now && !before;
    };
    for (Action a : {Action::TurnClockwise, Action::Right}) fromPad(a, pad.right, padBefore.right);
    for (Action a : {Action::TurnAnticlockwise, Action::Left}) fromPad(a, pad.left, padBefore.left);
    fromPad(Action::Up, pad.up, padBefore.up);
    fromPad(Action::Down, pad.down, padBefore.down);
    fromPad(Action::Confirm, pad.confirm, padBefore.confirm);
    fromPad(Action::Back, pad.back, padBefore.back);
    if (!play) fromPad(Action::Back, pad.cancel, padBefore.cancel);
    fromPad(play ? Action::Pause : Action::Confirm, pad.start, padBefore.start);

    const int reports = leftPresses.exchange(0);
    const int buttonsBefore = buttonsNow;
    buttonsNow = mouse_b;
    leftPressed = pressedNow(buttonsNow & 1, buttonsBefore & 1, reports, leftUnreported);
    if (keyUsed || leftPressed) padLast = false;
    if (padUsed) padLast = true;
    moved = mouse_x != rawX || mouse_y != rawY;
    rawX = mouse_x;
    rawY = mouse_y;
    // The window may show the picture magnified or on a black border: the
    // game works in picture pixels, and a border point is no picture pixel.
    x = rawX;
    y = rawY;
    if (toPicture) toPicture(rawX, rawY, x, y);
}

// A press the poll took from the state alone stays marked unreported, so its
// late report is not taken for a new press either.
void Input::forgetHeld() {
    poll();
    for (bool& a : actionPressed) a = false;
    leftPressed = false;
    moved = false;
}
