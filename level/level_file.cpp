#include "level/level_file.h"

#include "storage/data_folder.h"
#include "storage/regular_file.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

const short WALLS_OF_LEVEL[] = {4, 2, 8};  // indexed by level - 1
const char* const FILES_OF_LEVEL[] = {"01.txt", "02.txt", "03.txt"};
const int OBJECT_NUMBERS = 6;
const int OBJECTS = 6;
const int WALL_NUMBERS = 4;
const size_t MAX_LEVEL_BYTES = 1 << 16;  // a level is a few dozen numbers
const size_t SHOWN_TOKEN = 20;           // longest piece of a damaged file quoted back

bool isLevel(short nr) { return nr >= 1 && nr <= 3; }

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// A whole token as a 16-bit number with an optional sign, as the file's numbers are.
bool toShort(const std::string& token, short& value) {
    errno = 0;
    char* end = nullptr;
    const long n = std::strtol(token.c_str(), &end, 10);
    if (errno != 0 || end != token.c_str() + token.size() || n < SHRT_MIN || n > SHRT_MAX) return false;
    value = static_cast<short>(n);
    return true;
}

// A piece of a damaged file, fit for one line of a message.
std::string quoted(const std::string& token) {
    std::string s;
    for (char c : token.substr(0, SHOWN_TOKEN)) s += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return "\"" + s + (token.size() > SHOWN_TOKEN ? "...\"" : "\"");
}

void say(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
}

ObjectNumbers objectAt(const std::vector<short>& n, int record) {
    const short* r = &n[record * OBJECT_NUMBERS];
    return {r[0], r[1], r[2], r[3], r[4], r[5]};
}

}  // namespace

std::string levelFilePath(short nr) { return isLevel(nr) ? dataPath(FILES_OF_LEVEL[nr - 1]) : ""; }

bool parseLevel(short nr, const std::string& text, LevelNumbers& numbers, std::string* reason) {
    if (!isLevel(nr)) {
        say(reason, "there is no level " + std::to_string(nr) + ": the levels are 1 to 3");
        return false;
    }
    const int walls = WALLS_OF_LEVEL[nr - 1];
    const size_t needed = OBJECTS * OBJECT_NUMBERS + walls * WALL_NUMBERS;
    std::vector<short> n;
    size_t at = 0;
    while (n.size() < needed) {
        while (at < text.size() && isBlank(text[at])) ++at;
        if (at == text.size()) {
            say(reason, "is too short: " + std::to_string(n.size()) + (n.size() == 1 ? " number" : " numbers") +
                            " where level " + std::to_string(nr) + " needs " + std::to_string(needed));
            return false;
        }
        const size_t start = at;
        while (at < text.size() && !isBlank(text[at])) ++at;
        const std::string token = text.substr(start, at - start);
        short value;
        if (!toShort(token, value)) {
            say(reason, "is damaged: number " + std::to_string(n.size() + 1) + " of " + std::to_string(needed) +
                            " is " + quoted(token) + ", not a whole number from -32768 to 32767");
            return false;
        }
        n.push_back(value);
    }
    numbers.smile = objectAt(n, 0);
    numbers.iten = objectAt(n, 1);
    numbers.coco = objectAt(n, 2);
    numbers.esposa = objectAt(n, 3);
    numbers.gangster = objectAt(n, 4);
    numbers.ladrao = objectAt(n, 5);
    numbers.walls.clear();
    for (size_t w = OBJECTS * OBJECT_NUMBERS; w < needed; w += WALL_NUMBERS)
        numbers.walls.push_back({n[w], n[w + 1], n[w + 2], n[w + 3]});
    return true;
}

bool loadLevel(short nr, LevelNumbers& numbers, LevelProblem* problem) {
    LevelProblem found{levelFilePath(nr), ""};
    std::string text;
    // No file for an unknown level: parsing nothing says there is no such level.
    const bool ok = (found.path.empty() || readRegularFile(found.path, text, MAX_LEVEL_BYTES, &found.reason)) &&
                    parseLevel(nr, text, numbers, &found.reason);
    if (!ok && problem) *problem = found;
    return ok;
}

std::string levelProblemMessage(const LevelProblem& problem) {
    return problem.path.empty() ? problem.reason : unusableFileMessage(problem.path, problem.reason);
}
