// "Ready", then "Go", over the playfield's centre as each game begins, while
// nothing moves and no clock runs: the player sees the field and may aim the
// face before it sets off. The word lies under the objects, so the face and
// its heading marker stay in sight where the word crosses them.
#pragma once

#include "marks/drawn_spot.h"

class CountIn {
public:
    // About a second and a half at 30 frames a second, half of it each word.
    static const short READY_FRAMES = 23;
    static const short FRAMES = 46;

    // A new game on a screen drawn whole: counting from its first frame.
    void start();
    bool running() const { return counted < FRAMES; }
    // One frame counted; the last one ends the count-in.
    void next();

    // The background back where the word was.
    void erase(Render& render, short levelSlot) { spot.erase(render, levelSlot); }
    // This frame's word, centred on the playfield; nothing once it has counted.
    void draw(Render& render);

private:
    short counted = FRAMES;  // no game counting in yet
    DrawnSpot spot;
};
