// The ten best times: kept in aux2 as (minutes, seconds) pairs, lowest
// first, and in "rank.txt" as ten lines "minutes seconds". No drawing here:
// the menu draws the table (app/menu_screen.h).
#pragma once

#include "summary/summary.h"

#include <string>

class Ranking {
public:
    // The file's pairs over the table; a missing file leaves the table as it is.
    void load();
    void ordenaSelection();
    void swap(short i, short point);
    // Enters a result into the table as the rank file holds it now (another
    // copy of the game may have written since) and writes it back: the
    // place it took, whether it is a new best, and whether the file took it
    // (if not, the table is the file's again).
    RankingEntry insereRanking(short minutes, short seconds);

    const short* table() const { return aux2; }

private:
    short aux2[20] = {};  // zeros, so a missing rank file shows 00:00 rows
};
