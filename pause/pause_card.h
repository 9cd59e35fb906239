// The "Paused" card, centred over the playfield while a game is paused, with
// a line naming the control that resumes; on resuming, the level background
// is copied back under it.
#pragma once

#include "render/render.h"

class PauseCard {
public:
    static const short SLOT = 9;
    // Where its lines lie on the card.
    static const short RESUME_X = 112, RESUME_Y = 76;
    static const short PAD_LOST_X = 16, PAD_LOST_Y = 112;

    // Start resumes for a player who used the pad last, P for the others;
    // a pad pulled out is said, and then P it is.
    static void draw(Render& render, bool padUsedLast, bool padLost);
    // The background it covered back; the objects come back with the next frame's drawing.
    static void erase(Render& render, short background);

    // Centred on the playfield below the panel band.
    static int pictureX(const BITMAP* picture) { return (640 - picture->w) / 2; }
    static int pictureY(const BITMAP* picture) { return 70 + (410 - picture->h) / 2; }
};
