// The card that ends every game: why it ended, how long it lasted and what
// became of the result in the ranking. Drawn once over the playfield, after
// the ranking is written; a fresh click, or Enter, Space or Escape going
// down, closes it.
#pragma once

#include "input/input.h"
#include "render/render.h"

// What the ranking made of a result.
struct RankingEntry {
    short place = 0;       // 1 for the longest kept .. 10; 0 when it did not enter
    bool newBest = false;  // longer than every time kept, a tie not counting
    bool saved = true;     // the rank file took the table
};

class Summary {
public:
    // The card's top-left corner on the screen; everything else sits on it.
    static constexpr short X = 160, Y = 135;
    // The picture of the line that tells the result's fate (placed at LINE_X, LINE_Y).
    static constexpr short LINE_X = 20, LINE_Y = 124;
    static constexpr short BEST_X = 232, BEST_Y = 6;

    // timeUp: the remaining clock ran out; otherwise the player ended the game.
    void open(Render& render, int minutes, int seconds, bool timeUp, const RankingEntry& entry);
    void frame(const Input& input);
    bool isOpen() const { return shown; }
    // The place shown, 0 when none is (not entered, or not saved).
    short place() const { return result.saved ? result.place : 0; }
    const RankingEntry& entry() const { return result; }

private:
    bool shown = false;
    RankingEntry result;
};
