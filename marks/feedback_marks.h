// A short mark at the face where something happened to it: a wall bumped,
// an enemy's hit, an item taken, each its own three pictures, one a frame.
// The mark stays where it happened while the face moves on. One mark at a
// time: a new one takes the place of one still showing.
#pragma once

#include "level/update_report.h"
#include "marks/drawn_spot.h"

class FeedbackMarks {
public:
    enum class Kind { None, WallBump, EnemyHit, ItemTaken };
    static constexpr short FRAMES = 3;

    // A new game: no mark, nothing on the screen to erase.
    void clear();
    // Once per update, after it: the next frame of the mark showing, or a new
    // mark at the face (top-left faceX, faceY) for what this update did. A
    // hit outranks a bump, a bump an item, when one update does several.
    void note(const UpdateReport& report, float faceX, float faceY);
    void erase(Render& render, short levelSlot) { spot.erase(render, levelSlot); }
    void draw(Render& render);

    Kind showing() const { return kind; }
    short frame() const { return frameNow; }
    // Where the last draw went.
    const DrawnSpot& drawn() const { return spot; }

private:
    Kind kind = Kind::None;
    short frameNow = 0;
    short x = 0, y = 0;  // the face's top-left when it happened
    DrawnSpot spot;
};
