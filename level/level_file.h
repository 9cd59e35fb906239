// Level files: plain text holding whole numbers between any white space, six
// for each object (player, item, Coco, Esposa, Gangster, Ladrao), then four
// for each wall. The level number fixes how many walls; anything after the
// last number needed is ignored. Reading says what went wrong and prints
// nothing: the caller decides how to tell the player.
#pragma once

#include <string>
#include <vector>

// One object's record, in the file's order.
struct ObjectNumbers {
    short x, y, velocidade, direcao, raio, smooth;
};

// A wall's top-left and bottom-right corners.
struct WallNumbers {
    short x1, y1, x2, y2;
};

struct LevelNumbers {
    ObjectNumbers smile, iten, coco, esposa, gangster, ladrao;
    std::vector<WallNumbers> walls;
};

struct LevelProblem {
    std::string path;    // the file as opened; "" when there is no such level
    std::string reason;  // follows the path: "is too short: ...", or the reader's own words
};

// The file of level nr (1..3) in the data folder; "" for any other nr.
std::string levelFilePath(short nr);

// Reads the file of level nr. False, with `problem` filled in, when it cannot
// be read or does not hold the numbers the level needs.
bool loadLevel(short nr, LevelNumbers& numbers, LevelProblem* problem = nullptr);

// The same from a text in hand; `reason` as in LevelProblem.
bool parseLevel(short nr, const std::string& text, LevelNumbers& numbers, std::string* reason = nullptr);

// The message for a level that did not load: the file's full path and what
// was wrong, and where to start lumo from only when the file is missing.
std::string levelProblemMessage(const LevelProblem& problem);
