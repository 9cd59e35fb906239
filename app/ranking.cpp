#include "app/ranking.h"

#include "app/quit_request.h"
#include "storage/file_lock.h"
#include "storage/messages.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"

#include <algorithm>
#include <sstream>

namespace {

const char* const RANK_FILE = "rank.txt";
// Ten lines of two numbers; a hand-edited file may hold some blank room too.
const size_t MAX_RANK_BYTES = 1 << 16;

// The file's text, or false when there is none to read: a missing file is
// a first start, anything else (a pipe, a folder, a huge file) gets a line.
bool readRankText(std::string& text) {
    std::string reason;
    if (readRegularFile(RANK_FILE, text, MAX_RANK_BYTES, &reason)) return true;
    if (!isNotFound(reason)) reportFileProblem(RANK_FILE, reason);
    return false;
}

// Twenty numbers in file order; reading stops at the first that is not a
// number, and the entries from there on keep what they held.
void readPairs(const std::string& text, short* table) {
    std::istringstream rank(text);
    for (int k = 0; k < 20; ++k) {
        short read;
        if (!(rank >> read)) break;
        table[k] = read;
    }
}

// The only two places the file is read and written.
bool readTable(short table[20]) {
    std::string text;
    if (!readRankText(text)) return false;
    readPairs(text, table);
    return true;
}

bool writeTable(const short table[20], std::string* reason) { return gravaRanking(table, RANK_FILE, reason); }

}  // namespace

void Ranking::load() { readTable(aux2); }

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
    if (readTable(fromFile)) std::copy(fromFile, fromFile + 20, aux2);
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
    entry.saved = writeTable(aux2, &reason);
    if (!entry.saved) {
        reportFileProblem(RANK_FILE, "could not be saved: " + reason);
        std::copy(onDisk, onDisk + 20, aux2);
    }
    return entry;
}

bool gravaRanking(const short tabela[20], const char* arquivo, std::string* reason) {
    std::string texto;
    for (int k = 0; k < 10; ++k)
        texto += std::to_string(tabela[2 * k]) + " " + std::to_string(tabela[2 * k + 1]) + "\n";
    return writeWholeFile(arquivo, texto, reason);
}
