// The card that ends every game: why it ended, how long it lasted and what
// became of the result in the ranking. A fresh click, or Enter, Space or
// Escape going down, closes it. Its picture is summary/summary_card.h's.
#pragma once

#include "input/input.h"

// What the ranking made of a result.
struct RankingEntry {
    short place = 0;       // 1 for the longest kept .. 10; 0 when it did not enter
    bool newBest = false;  // longer than every time kept, a tie not counting
    bool saved = true;     // the rank file took the table
};

class Summary {
public:
    // timeUp: the remaining clock ran out; otherwise the player ended the game.
    void open(int minutes, int seconds, bool timeUp, const RankingEntry& entry);
    // True when this frame's input closes the card.
    bool closes(const Input& input) const;

    int minutes() const { return mins; }
    int seconds() const { return secs; }
    bool timeUp() const { return ranOut; }
    // The place shown, 0 when none is (not entered, or not saved).
    short place() const { return result.saved ? result.place : 0; }
    const RankingEntry& entry() const { return result; }

private:
    int mins = 0, secs = 0;
    bool ranOut = false;
    RankingEntry result;
};
