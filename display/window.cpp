#include "display/window.h"

#include "display/dirty_rects.h"
#include "display/icon.h"
#include "display/presenter.h"
#include "display/viewport.h"

#include <xalleg.h>

#include <atomic>

// Allegro's X driver shows this XPM as the window's icon.
extern "C" void* allegro_icon;

namespace {

struct State {
    BITMAP* real = nullptr;     // Allegro's screen: the window
    BITMAP* picture = nullptr;  // the game's 640x480 picture, `screen` while open
    Presenter presenter;
    bool fullscreen = false;
    int windowedFactor = 1;
    bool pointerShown = false;
};

State& state() {
    static State s;
    return s;
}

std::atomic<bool> focusLost{false};

void onSwitchOut() { focusLost = true; }
END_OF_FUNCTION(onSwitchOut)

// The window system's own arrow, or none, drawn by the X server at the real
// pointer: nothing of it ever lands in the picture, at any factor. Allegro
// looks for the window in `screen` meanwhile.
void setSystemPointer(int cursor) {
    State& s = state();
    if (!s.picture || !s.real) return;
    screen = s.real;
    show_os_cursor(cursor);
    screen = s.picture;
}

int desktopFactorFor(bool fullscreen) {
    int w = 0, h = 0;
    if (get_desktop_resolution(&w, &h) != 0) w = h = 0;
    return fullscreen ? fullscreenFactor(w, h) : windowFactor(w, h);
}

bool setWindowed(int factor) {
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, PICTURE_WIDTH * factor, PICTURE_HEIGHT * factor, 0, 0) == 0;
}

bool setFullscreen() {
    int w = 0, h = 0;
    if (get_desktop_resolution(&w, &h) != 0 || w < PICTURE_WIDTH || h < PICTURE_HEIGHT) return false;
    return set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, w, h, 0, 0) == 0;
}

// A mode for the request, or the nearest the system allows: a smaller
// factor, then the plain 640x480 window.
bool setMode(bool fullscreen, int factor) {
    State& s = state();
    s.fullscreen = fullscreen && setFullscreen();
    if (s.fullscreen) return true;
    if (setWindowed(factor)) {
        s.windowedFactor = factor;
        return true;
    }
    const int fit = desktopFactorFor(false);
    if (fit < factor && setWindowed(fit)) {
        s.windowedFactor = fit;
        return true;
    }
    s.windowedFactor = 1;
    return factor != 1 && setWindowed(1);
}

// After every mode change: the title, the focus callback (a new mode forgets
// it), a black border, and the picture sent whole at its new place.
void adoptMode() {
    State& s = state();
    s.real = screen;
    set_window_title("Lumo");
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, onSwitchOut);
    const int factor = s.fullscreen ? fullscreenFactor(s.real->w, s.real->h) : s.windowedFactor;
    const Viewport v = centredViewport(s.real->w, s.real->h, factor);
    // Only a border needs black: the picture itself is sent whole next.
    if (s.real->w > PICTURE_WIDTH * factor || s.real->h > PICTURE_HEIGHT * factor) clear_bitmap(s.real);
    currentViewport() = v;
    s.presenter.reset(v);
    screen = s.picture;
}

}  // namespace

void nameWindow() {
    xwin_set_window_name("lumo", "lumo");
    allegro_icon = const_cast<char**>(lumoIcon);
}

bool openWindow(const WindowRequest& request) {
    State& s = state();
    set_color_depth(32);
    const int factor = request.scale > 0 ? request.scale : desktopFactorFor(false);
    if (!setMode(request.fullscreen, factor)) {
        allegro_message("Unable to open a 640x480 window in 32-bit colour: %s", allegro_error);
        return false;
    }
    LOCK_VARIABLE(focusLost);
    LOCK_FUNCTION(onSwitchOut);
    s.picture = create_bitmap_ex(32, PICTURE_WIDTH, PICTURE_HEIGHT);
    clear_bitmap(s.picture);
    adoptMode();
    return true;
}

void closeWindow() {
    State& s = state();
    if (!s.picture) return;
    screen = s.real;
    s.presenter.release();
    destroy_bitmap(s.picture);
    s.picture = nullptr;
    currentViewport() = Viewport();
}

void presentPicture() {
    State& s = state();
    if (s.picture && s.real) s.presenter.present(s.picture, s.real, pictureChanges());
}

FullscreenSwitch toggleFullscreen() {
    State& s = state();
    if (!s.picture || !s.real) return FullscreenSwitch::Unchanged;
    const bool wasFullscreen = s.fullscreen;
    screen = s.real;
    if (!setMode(!wasFullscreen, s.windowedFactor) && !setMode(wasFullscreen, s.windowedFactor)) {
        // Nothing opens any more: the game keeps drawing into its picture,
        // shown nowhere.
        screen = s.picture;
        s.real = nullptr;
        allegro_message("Unable to open a window: %s", allegro_error);
        return FullscreenSwitch::Failed;
    }
    adoptMode();
    setSystemPointer(s.pointerShown ? MOUSE_CURSOR_ARROW : MOUSE_CURSOR_NONE);
    return s.fullscreen != wasFullscreen ? FullscreenSwitch::Switched : FullscreenSwitch::Unchanged;
}

bool isFullscreen() { return state().fullscreen; }

void showPointer() {
    state().pointerShown = true;
    setSystemPointer(MOUSE_CURSOR_ARROW);
}

void hidePointer() {
    state().pointerShown = false;
    setSystemPointer(MOUSE_CURSOR_NONE);
}

bool takeFocusLoss() { return focusLost.exchange(false); }

BITMAP* realScreen() { return state().real; }
