// The keyboard, the mouse and a gamepad as one frame sees them: read once
// at the start of the frame, so every part of the frame agrees, and turned
// into actions, which is all the screens read. Compared with the frame
// before, so an action acts once, on the frame its key or button goes down.
#pragma once

#include "input/gamepad.h"
#include "input/key_bindings.h"

#include <allegro.h>

enum class Action {
    TurnClockwise,
    TurnAnticlockwise,
    Up,
    Down,
    Left,   // also the previous page
    Right,  // also the next page
    Confirm,
    Back,
    Pause,
    Mute,
    Fullscreen,
    Level1,  // the level chooser's own keys
    Level2,
    Level3,
    Count
};

// Some pad buttons mean one thing in a game and another elsewhere: B is
// Escape only outside play, where one slip would end a game; Start is P in
// a game and Enter elsewhere.
enum class Screen { Menu, Play };

// A window point to the picture pixel under it; false off the picture.
using PointMapping = bool (*)(int windowX, int windowY, int& pictureX, int& pictureY);

class Input {
public:
    // The player's keys and pad.
    void configure(const KeyBindings& keys, const GamepadLayout& padLayout) {
        bindings = keys;
        layout = padLayout;
    }
    // The pad's driver on `device` ("" for the usual one).
    void startGamepad(const std::string& device) { gamepad.start(device); }
    void setPointerMapping(PointMapping mapping) { toPicture = mapping; }

    // Reads the keyboard, the mouse and the pad for this frame.
    void poll(Screen screen = Screen::Menu);
    // Counts whatever is held right now as old, so a press that began on
    // another screen does nothing on the next one.
    void forgetHeld();

    bool held(Action a) const { return actionHeld[index(a)]; }
    // Went down this frame, or went down since the last frame even if it
    // went up in between, or was let go and pressed again: on a busy
    // machine a quick key is not lost.
    bool pressed(Action a) const { return actionPressed[index(a)]; }
    // The left button went down this frame (the left button alone, as the
    // menu has always taken a click), or went down since the last frame with
    // no other button held now: a quick click on a busy machine is not lost.
    bool clicked() const { return leftPressed && (buttonsNow & ~1) == 0; }
    // The pointer moved since the last frame.
    bool pointerMoved() const { return moved; }
    int mouseX() const { return x; }
    int mouseY() const { return y; }
    // A pad control went down after the last key or click: the player is on
    // the pad.
    bool padUsedLast() const { return padLast; }
    // True once after the pad went away.
    bool takePadLoss() { return gamepad.takeLoss(); }
    void stop() { gamepad.stop(); }

private:
    static int index(Action a) { return static_cast<int>(a); }
    bool anyHeld(const std::vector<int>& keys) const;
    bool anyPressed(const std::vector<int>& keys) const;

    KeyBindings bindings;
    GamepadLayout layout;
    Gamepad gamepad;
    PointMapping toPicture = nullptr;

    bool keyNow[KEY_MAX] = {};
    bool keyPressed[KEY_MAX] = {};
    bool keyUnreported[KEY_MAX] = {};
    PadControls pad;
    bool actionHeld[static_cast<int>(Action::Count)] = {};
    bool actionPressed[static_cast<int>(Action::Count)] = {};
    int buttonsNow = 0;
    bool leftPressed = false, leftUnreported = false;
    int rawX = -1, rawY = -1;
    bool moved = false;
    bool padLast = false;
    int x = 0, y = 0;
};
