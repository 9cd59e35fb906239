#include "app/ranking.h"

#include "app/quit_request.h"
#include "app/rank_file.h"
#include "storage/file_lock.h"
#include "storage/messages.h"

#include <algorithm>

void Ranking::load() { readRankFile(aux2); }

void Ranking::ordenaSelection() {
    for (short i = 0; i < 20; i += 2) {
        short point = i;
        for (short j = 18; j >= i + 2; j -= 2) {
            if (aux2[j] < aux2[point] || (aux2[j] == aux2[point] && aux2[j + 1] < aux2[point + 1]))
                point = j;
        }
        swap(i, point);
        swap(i + 1, point + 1);
    }
}

void Ranking::swap(short i, short point) {
    short aux = aux2[i];
    aux2[i] = aux2[point];
    aux2[point] = aux;
}

// A longer time than the lowest pair takes its place; an equal one does not.
// Its place counts the pairs kept that are longer still; equal ones share it,
// and a time equal to the best is no new best. The lock is held from
// reading the file afresh to writing it. When the file cannot be written the
// table goes back to what the file holds, and stderr says why.
RankingEntry Ranking::insereRanking(short m, short s) {
    auto longer = [](short m1, short s1, short m2, short s2) { return m1 > m2 || (m1 == m2 && s1 > s2); };
    FileLock lock(RANK_FILE, LockWait::Briefly, quitRequested);
    // The re-read and the replace by rename still keep the file whole.
    if (lock.busy())
        reportFileProblem(std::string(RANK_FILE) + ".lock", "is held elsewhere; saving the ranking without it");
    // Afresh from the file, where another copy may have written: what a short
    // file leaves unread is 00:00, as on a first start, so the table written
    // is the one any copy reads back. Without a file the table in memory stays.
    short fromFile[20] = {};
    if (readRankFile(fromFile)) std::copy(fromFile, fromFile + 20, aux2);
    ordenaSelection();
    short onDisk[20];
    std::copy(aux2, aux2 + 20, onDisk);
    RankingEntry entry;
    if (longer(m, s, aux2[0], aux2[1])) {
        aux2[0] = m;
        aux2[1] = s;
        entry.place = 1;
        bool tie = false;
        for (short i = 2; i < 20; i += 2) {
            entry.place += longer(aux2[i], aux2[i + 1], m, s);
            tie = tie || (aux2[i] == m && aux2[i + 1] == s);
        }
        entry.newBest = entry.place == 1 && !tie;
    }
    ordenaSelection();
    std::string reason;
    entry.saved = gravaRanking(aux2, RANK_FILE, &reason);
    if (!entry.saved) {
        reportFileProblem(RANK_FILE, "could not be saved: " + reason);
        std::copy(onDisk, onDisk + 20, aux2);
    }
    return entry;
}
