#include "bests/level_bests.h"

#include "storage/file_lock.h"
#include "storage/messages.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"

#include <climits>
#include <sstream>

namespace {

const size_t MAX_BYTES = 4096;  // three short lines, and room for a person's blanks

bool longer(const GameTime& a, const GameTime& b) {
    return a.minutes > b.minutes || (a.minutes == b.minutes && a.seconds > b.seconds);
}

bool validLevel(int level) { return level >= 1 && level <= LevelBests::LEVELS; }

}  // namespace

void LevelBests::load() {
    for (bool& k : known) k = false;
    std::string problem;
    mergeFile(&problem);
    if (!problem.empty()) reportFileProblem(path, problem);
}

bool LevelBests::has(int level) const { return validLevel(level) && known[level - 1]; }

GameTime LevelBests::best(int level) const { return has(level) ? times[level - 1] : GameTime(); }

BestRecord LevelBests::record(int level, short minutes, short seconds) {
    if (!validLevel(level)) return {};
    mergeFile(nullptr);
    const GameTime game{minutes, seconds};
    BestRecord result;
    result.hadBest = known[level - 1];
    result.newBest = result.hadBest && longer(game, times[level - 1]);
    if (!result.hadBest || result.newBest) {
        known[level - 1] = true;
        times[level - 1] = game;
        unsaved = true;
    }
    return result;
}

SaveOutcome LevelBests::trySave() {
    if (!unsaved) return {};
    FileLock lock(path);
    if (lock.busy()) return {SaveStatus::Busy, LOCKED_ELSEWHERE};
    // Under the lock: another copy's better time is kept too.
    mergeFile(nullptr);
    std::string text;
    for (int level = 1; level <= LEVELS; ++level)
        if (has(level))
            text += std::to_string(level) + " " + std::to_string(times[level - 1].minutes) + " " +
                    std::to_string(times[level - 1].seconds) + "\n";
    unsaved = false;
    std::string reason;
    if (!writeWholeFile(path, text, &reason)) return {SaveStatus::Failed, reason};
    return {};
}

void LevelBests::mergeFile(std::string* problem) {
    std::string text, reason;
    if (!readPlayerFile(path, text, MAX_BYTES, &reason)) {
        if (problem && !isNotFound(reason)) *problem = reason;
        return;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::istringstream lines(text);
    std::string line, skipped;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream fields(line);
        long level = 0, minutes = 0, seconds = 0;
        std::string extra;
        const bool read = bool(fields >> level >> minutes >> seconds) && !(fields >> extra);
        if (read && validLevel(int(level)) && minutes >= 0 && minutes <= SHRT_MAX && seconds >= 0 && seconds <= 59) {
            const GameTime time{short(minutes), short(seconds)};
            if (!known[level - 1] || longer(time, times[level - 1])) times[level - 1] = time;
            known[level - 1] = true;
        } else if (line.find_first_not_of(" \t\r") != std::string::npos) {
            skipped += (skipped.empty() ? "" : ", ") + std::to_string(number);
        }
    }
    if (problem && !skipped.empty()) *problem = "is damaged, lines skipped: " + skipped;
}
