#include "display/window.h"

#include "display/dirty_rects.h"
#include "display/icon.h"
#include "display/presenter.h"
#include "display/viewport.h"
#include "storage/messages.h"

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
    bool wholeFactors = false;
    Scale windowed;  // the window's, also when leaving fullscreen
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

// The desktop's size, or 0 x 0 when the system does not tell.
void desktopSize(int& width, int& height) {
    if (get_desktop_resolution(&width, &height) != 0) width = height = 0;
}

bool setWindowed(Scale scale) {
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, scale.width(), scale.height(), 0, 0) == 0;
}

bool setFullscreen() {
    int w = 0, h = 0;
    desktopSize(w, h);
    if (w < PICTURE_WIDTH || h < PICTURE_HEIGHT) return false;
    return set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, w, h, 0, 0) == 0;
}

// A mode for the request, or the nearest the system allows: the desktop's
// default window, then the plain 640x480 window.
bool setMode(bool fullscreen) {
    State& s = state();
    s.fullscreen = fullscreen && setFullscreen();
    if (s.fullscreen || setWindowed(s.windowed)) return true;
    int w = 0, h = 0;
    desktopSize(w, h);
    const Scale fit = windowScale(w, h, s.wholeFactors);
    if (long(fit.num) * s.windowed.den < long(s.windowed.num) * fit.den && setWindowed(fit)) {
        s.windowed = fit;
        return true;
    }
    const bool wasPlain = s.windowed.isOne();
    s.windowed = Scale();
    return !wasPlain && setWindowed(s.windowed);
}

// After every mode change: the title, the focus callback (a new mode forgets
// it), a black border, and the picture sent whole at its new place.
void adoptMode() {
    State& s = state();
    s.real = screen;
    set_window_title("Lumo");
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, onSwitchOut);
    const Scale scale = s.fullscreen ? fullscreenScale(s.real->w, s.real->h, s.wholeFactors) : s.windowed;
    const Viewport v = centredViewport(s.real->w, s.real->h, scale);
    // Only a border needs black: the picture itself is sent whole next.
    if (s.real->w > scale.width() || s.real->h > scale.height()) clear_bitmap(s.real);
    currentViewport() = v;
    s.presenter.reset(v);
    screen = s.picture;
}

std::string problem;

bool failWith(const std::string& text) {
    problem = text;
    return false;
}

}  // namespace

const std::string& windowProblem() { return problem; }

void nameWindow() {
    xwin_set_window_name("lumo", "lumo");
    allegro_icon = const_cast<char**>(lumoIcon);
}

bool openWindow(const WindowRequest& request) {
    State& s = state();
    set_color_depth(32);
    int w = 0, h = 0;
    desktopSize(w, h);
    s.wholeFactors = request.wholeFactors;
    s.windowed = windowScale(w, h, request.wholeFactors);
    if (request.scale > 0) {
        const int fit = fittingFactor(request.scale, w, h);
        if (fit < request.scale)
            reportProblem("at scale " + std::to_string(request.scale) + " the window would be larger than the " +
                          std::to_string(w) + "x" + std::to_string(h) + " desktop; using scale " +
                          std::to_string(fit));
        s.windowed = {fit, 1};
    }
    if (!setMode(request.fullscreen)) {
        return failWith(std::string("Unable to open a 640x480 window in 32-bit colour: ") + allegro_error);
    }
    LOCK_VARIABLE(focusLost);
    LOCK_FUNCTION(onSwitchOut);
    s.picture = create_bitmap_ex(32, PICTURE_WIDTH, PICTURE_HEIGHT);
    if (!s.picture) {
        return failWith("Not enough memory for the game's 640x480 picture");
    }
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
    if (!setMode(!wasFullscreen) && !setMode(wasFullscreen)) {
        // Nothing opens any more: the game keeps drawing into its picture,
        // shown nowhere.
        screen = s.picture;
        s.real = nullptr;
        failWith(std::string("Unable to open a window: ") + allegro_error);
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
