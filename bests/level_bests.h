// Each level's longest game, kept in "best.txt" beside "rank.txt": one line
// "level minutes seconds" for each level that has been played. A line that
// is not one (or a missing file) reads as no best for its level.
#pragma once

#include "storage/save_outcome.h"

#include <string>

struct GameTime {
    short minutes = 0, seconds = 0;
};

// What a finished game means for its level.
struct BestRecord {
    bool hadBest = false;  // the level had been played before
    bool newBest = false;  // and this game is strictly longer than its best
};

class LevelBests {
public:
    static const int LEVELS = 3;

    explicit LevelBests(std::string path = "best.txt") : path(std::move(path)) {}

    // Reads the file; what it cannot tell leaves a level without a best.
    void load();
    bool has(int level) const;        // level 1 to 3
    GameTime best(int level) const;   // 0:00 where there is none
    // A game of `level` lasted minutes:seconds: compared with the best known
    // (the file read afresh, as another copy may have saved since), and kept
    // when longer or the first. The save waits for trySave.
    BestRecord record(int level, short minutes, short seconds);
    // One try at the file's lock, for a caller that tries again next frame:
    // Busy while another process holds it; otherwise the file is read afresh,
    // the longer of each level's two bests kept, and it is written. Saved
    // also when nothing was waiting; after Failed nothing waits any more.
    SaveOutcome trySave();
    bool waiting() const { return unsaved; }
    const std::string& file() const { return path; }

private:
    // The file's bests merged into those in memory, the longer of each;
    // `problem` gets what could not be read, if anything.
    void mergeFile(std::string* problem);

    std::string path;
    bool known[LEVELS] = {};
    GameTime times[LEVELS];
    bool unsaved = false;
};
