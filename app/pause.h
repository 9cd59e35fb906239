// A game's pause: P toggles it, losing the window's focus pauses it, and
// only the player's P resumes. While paused nothing of the game advances;
// the "Paused" picture lies centred over the playfield and, on resuming,
// the level background is copied back under it.
#pragma once

#include "input/input.h"
#include "render/render.h"

class Pause {
public:
    static const short SLOT = 9;  // the "Paused" picture

    // A new game starts running.
    void reset() { paused = false; }
    // At the start of a frame of play, with this frame's input: true while
    // the game is paused, and then the frame advances and draws nothing.
    bool frame(const Input& input, bool focusLost, Render& render, short background);
    bool isPaused() const { return paused; }

    // Where the picture lies: centred on the playfield below the panel band.
    static int pictureX(const BITMAP* picture) { return (640 - picture->w) / 2; }
    static int pictureY(const BITMAP* picture) { return 70 + (410 - picture->h) / 2; }

private:
    bool paused = false;
};
