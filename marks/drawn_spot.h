// A picture drawn straight on the play screen each frame, somewhere it may
// not be next frame: it remembers where it went, so the next frame can give
// back exactly what lay under it before anything is drawn again.
#pragma once

#include "display/rect.h"
#include "render/render.h"

// The face's picture: its size places the marks drawn at the face.
const short SLOT_FACE = 10;

// What the play screen shows with nothing on it at (x, y, w, h): the panel's
// own pixels in the band above y 70, the level's picture below.
void restorePlayBackground(Render& render, short levelSlot, short x, short y, short w, short h);

class DrawnSpot {
public:
    // The screen was drawn whole again: nothing of ours is on it.
    void forget() { shown = false; }
    // The background back where the last draw went, if anywhere.
    void erase(Render& render, short levelSlot);
    // Draws the slot's picture with its top-left at (x, y); an empty slot
    // draws nothing.
    void draw(Render& render, short slot, short x, short y);
    // The same, with the picture's centre at (cx, cy).
    void drawCentred(Render& render, short slot, short cx, short cy);

    bool isShown() const { return shown; }
    const Rect& rect() const { return last; }

private:
    bool shown = false;
    Rect last = {0, 0, 0, 0};
};
