// The ten best times: kept in aux2 as (minutes, seconds) pairs, lowest
// first, and in "rank.txt" as ten lines "minutes seconds"; and each level's
// best, in "best.txt". A save never waits: while another process holds a
// file's lock the result waits here and step() tries again each frame.
// No drawing here: the menu draws the table (app/menu_screen.h).
#pragma once

#include "bests/level_bests.h"
#include "summary/summary.h"

#include <vector>

class Ranking {
public:
    // Frames a save keeps trying while the lock is held elsewhere: about 10 s.
    static constexpr int SAVE_TRIES = 310;

    // The file's pairs over the table (a missing file leaves the table as it
    // is) and the levels' bests.
    void load();
    void ordenaSelection();
    void swap(short i, short point);
    // Enters a result into the table as the rank file holds it now (another
    // copy of the game may have written since) and writes it back: the
    // place it took, whether it is a new best, and whether the file took it
    // (if not, the table is the file's again). With the lock held elsewhere
    // the entry says saving, and step() goes on.
    RankingEntry insereRanking(short minutes, short seconds);
    // The game's time on its level: its best after it, and what it meant.
    LevelResult recordLevel(int level, short minutes, short seconds);
    // One more try at what waits; true on the frame the rank file's save
    // settles, the outcome in entry().
    bool step();
    // At exit: one last try; what still waits is named on stderr.
    void finish();

    const RankingEntry& entry() const { return result; }
    const LevelBests& levelBests() const { return bests; }
    const short* table() const { return aux2; }

private:
    // Places one result into aux2, sorted.
    RankingEntry enter(short minutes, short seconds);
    void trySaveTable();
    void trySaveBests();

    short aux2[20] = {};  // zeros, so a missing rank file shows 00:00 rows
    LevelBests bests;
    std::vector<GameTime> unsaved;  // results the rank file has not taken yet
    RankingEntry result;            // what the last result came to
    int triesLeft = 0;
};
