#include "app/ranking.h"

#include "app/rank_file.h"
#include "storage/messages.h"

#include <algorithm>

void Ranking::load() {
    readRankFile(aux2);
    // Bests waiting for their file are newer than what it holds.
    if (!bests.waiting()) bests.load();
}

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

RankingEntry Ranking::insereRanking(short m, short s) {
    unsaved.push_back({m, s});
    triesLeft = SAVE_TRIES;
    result = RankingEntry();
    result.saved = false;
    result.saving = true;
    step();
    return result;
}

LevelResult Ranking::recordLevel(int level, short m, short s) {
    LevelResult r;
    r.record = bests.record(level, m, s);
    r.best = bests.best(level);
    triesLeft = SAVE_TRIES;
    trySaveBests();
    return r;
}

bool Ranking::step() {
    if (unsaved.empty() && !bests.waiting()) triesLeft = 0;
    if (triesLeft <= 0) return false;
    const bool waited = !unsaved.empty();
    if (!unsaved.empty()) trySaveTable();
    if (bests.waiting()) trySaveBests();
    if (--triesLeft == 0) {
        // Given up: said once, and the card says "Not saved". Bests still
        // waiting go with the next game's save.
        if (!unsaved.empty()) {
            reportFileProblem(RANK_FILE, LOCKED_ELSEWHERE);
            unsaved.clear();
            result.saving = result.saved = false;
        }
        if (bests.waiting()) reportFileProblem(bests.file(), LOCKED_ELSEWHERE);
    }
    return waited && unsaved.empty();
}

void Ranking::finish() {
    if (triesLeft <= 0 && !bests.waiting()) return;
    triesLeft = 1;
    step();
}

// A longer time than the lowest pair takes its place; an equal one does not.
// Its place counts the pairs kept that are longer still; equal ones share it,
// and a time equal to the best is no new best, nor is the first time in an
// empty table (all zeros): there was nothing to beat.
RankingEntry Ranking::enter(short m, short s) {
    auto longer = [](short m1, short s1, short m2, short s2) { return m1 > m2 || (m1 == m2 && s1 > s2); };
    ordenaSelection();
    RankingEntry entry;
    if (longer(m, s, aux2[0], aux2[1])) {
        const bool empty = aux2[18] == 0 && aux2[19] == 0;
        aux2[0] = m;
        aux2[1] = s;
        entry.place = 1;
        bool tie = false;
        for (short i = 2; i < 20; i += 2) {
            entry.place += longer(aux2[i], aux2[i + 1], m, s);
            tie = tie || (aux2[i] == m && aux2[i + 1] == s);
        }
        entry.newBest = entry.place == 1 && !tie && !empty;
    }
    ordenaSelection();
    return entry;
}

// The lock is held from reading the file afresh to writing it. When the file
// cannot be written the table goes back to what the file holds, and stderr
// says why.
void Ranking::trySaveTable() {
    short onDisk[20];
    RankingEntry entry;
    const SaveOutcome outcome = trySaveRankFile(aux2, [&](short*) {
        ordenaSelection();
        std::copy(aux2, aux2 + 20, onDisk);
        for (const GameTime& t : unsaved) entry = enter(t.minutes, t.seconds);
    });
    if (outcome.status == SaveStatus::Busy) return;
    unsaved.clear();
    result = entry;
    if (outcome.status == SaveStatus::Failed) {
        reportFileProblem(RANK_FILE, "could not be saved: " + outcome.reason);
        std::copy(onDisk, onDisk + 20, aux2);
        result.saved = false;
    }
}

void Ranking::trySaveBests() {
    const SaveOutcome outcome = bests.trySave();
    if (outcome.status == SaveStatus::Failed) reportFileProblem(bests.file(), "could not be saved: " + outcome.reason);
}
