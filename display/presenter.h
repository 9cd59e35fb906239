// Sends the game's picture to the window: only the parts that changed since
// the last time, magnified through the viewport's tables. What the window
// shows is kept at picture size, so a rectangle drawn again with the same
// pixels (the menu redraws its panel every frame) sends nothing.
#pragma once

#include "display/dirty_rects.h"
#include "display/viewport.h"

#include <allegro.h>

class Presenter {
public:
    Presenter() = default;
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Frees what it keeps; Allegro must still be installed.
    void release();
    // A new target or a new place in it: the next present sends everything.
    void reset(const Viewport& viewport);
    const Viewport& viewport() const { return view; }

    // Sends the changed parts of `picture` (640x480) to `target` and clears
    // `changes`; the number of picture pixels sent, or -1 when there is no
    // memory to keep what was sent (then nothing is).
    long present(BITMAP* picture, BITMAP* target, DirtyRects& changes);

private:
    // The smallest box within r where picture and shown differ; false if none.
    bool changedBox(BITMAP* picture, Rect& r) const;
    // r magnified into `band`, a strip at a time, each strip one blit to the
    // target: the target may be the X window, where every blit is a transfer.
    void sendMagnified(BITMAP* picture, const Rect& r, BITMAP* target);

    BITMAP* shown = nullptr;  // what the target shows, one pixel per game pixel
    BITMAP* band = nullptr;   // a strip of the magnified picture, full width
    bool stale = true;
    Viewport view;
};
