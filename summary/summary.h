// The card that ends every game: why it ended, how long it lasted, what
// became of the result in the ranking and on its level, and two buttons,
// Play again (focused first) and Menu. Its picture is summary/summary_card.h's.
#pragma once

#include "bests/level_bests.h"
#include "input/input.h"

// What the ranking made of a result.
struct RankingEntry {
    short place = 0;       // 1 for the longest kept .. 10; 0 when it did not enter
    bool newBest = false;  // longer than every time kept, a tie not counting
    bool saved = true;     // the rank file took the table
    bool saving = false;   // another process holds the file: tried again each frame
};

// The level's side of a result: its best after this game, and what the game meant for it.
struct LevelResult {
    GameTime best;
    BestRecord record;
};

enum class SummaryChoice { Stay, PlayAgain, Menu };

class Summary {
public:
    static const int PLAY_AGAIN = 0, MENU = 1;  // the buttons, left to right

    // timeUp: the remaining clock ran out; otherwise the player ended the game.
    void open(int minutes, int seconds, bool timeUp, const RankingEntry& entry, const LevelResult& level = {});
    // This frame's input: `pointed` is the button under the pointer, -1 for none.
    // A click acts on the button it is on, else on the focused one.
    SummaryChoice update(const Input& input, int pointed);
    // The save that was waiting settled.
    void settle(const RankingEntry& entry) { result = entry; }

    int minutes() const { return mins; }
    int seconds() const { return secs; }
    bool timeUp() const { return ranOut; }
    // The place shown, 0 when none is (not entered, not saved, or not yet).
    short place() const { return result.saved ? result.place : 0; }
    const RankingEntry& entry() const { return result; }
    const LevelResult& level() const { return levelResult; }
    int focus() const { return focused; }

private:
    int mins = 0, secs = 0;
    bool ranOut = false;
    RankingEntry result;
    LevelResult levelResult;
    int focused = PLAY_AGAIN;
};
