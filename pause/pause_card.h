// The "Paused" picture, centred over the playfield while a game is paused;
// on resuming, the level background is copied back under it.
#pragma once

#include "render/render.h"

class PauseCard {
public:
    static const short SLOT = 9;

    static void draw(Render& render);
    // The background it covered back; the objects come back with the next frame's drawing.
    static void erase(Render& render, short background);

    // Centred on the playfield below the panel band.
    static int pictureX(const BITMAP* picture) { return (640 - picture->w) / 2; }
    static int pictureY(const BITMAP* picture) { return 70 + (410 - picture->h) / 2; }
};
