#include "app/rank_file.h"

#include "storage/data_folder.h"
#include "storage/file_lock.h"
#include "storage/messages.h"
#include "storage/regular_file.h"
#include "storage/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>
#include <set>
#include <vector>

const char* const RANK_FILE = "rank.txt";

namespace {

// Ten lines of two numbers; a hand-edited file may hold some blank room too.
// Of a larger file only this much is read.
const size_t MAX_RANK_BYTES = 1 << 16;
const size_t NUMBERS = 20;
const size_t NAMED = 3;  // skipped pieces named in the message; the rest are counted

struct Recovered {
    std::vector<short> numbers;  // whole pairs, at most ten
    std::vector<std::string> skipped;
};

enum class Token { Number, OutOfRange, Other };

// A whole decimal number, as the file has always held, and whether it fits
// a 16-bit table entry.
Token classify(const std::string& token, long& value) {
    const size_t digits = token[0] == '+' || token[0] == '-' ? 1 : 0;
    if (digits == token.size() || token.find_first_not_of("0123456789", digits) != std::string::npos)
        return Token::Other;
    errno = 0;
    value = std::strtol(token.c_str(), nullptr, 10);
    return errno == ERANGE || value < SHRT_MIN || value > SHRT_MAX ? Token::OutOfRange : Token::Number;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// A damaged line as the message shows it: what is not printable as '?',
// and no longer than a glance.
std::string shown(const std::string& text, int line) {
    size_t start = 0;
    for (int k = 1; k < line; ++k) start = text.find('\n', start) + 1;
    std::string shown = text.substr(start, std::min(text.find('\n', start), text.size()) - start);
    const size_t LONGEST = 24;
    if (shown.size() > LONGEST) shown = shown.substr(0, LONGEST) + "...";
    for (char& c : shown)
        if (c != ' ' && !std::isgraph(static_cast<unsigned char>(c))) c = '?';
    return "line " + std::to_string(line) + " \"" + shown + "\"";
}

// Numbers are paired in file order, across lines as the file has always
// been read. Whatever is not a pair of a 16-bit minutes and seconds 0 to 59
// is skipped, and a line where something was skipped ends any pair begun on
// it, so one damaged line never shifts the pairs after it.
Recovered recover(std::string text, bool cut) {
    Recovered found;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // an editor's byte-order mark
    if (cut) text.erase(text.find_last_of('\n') + 1);                // the last line may stop inside a number
    struct Pending {
        long value;
        bool usable;
        int line;
    };
    std::optional<Pending> pending;
    std::set<int> damaged;
    int line = 1, pastTenth = 0;
    auto dropPending = [&] {
        if (pending) damaged.insert(pending->line);
        pending.reset();
    };
    for (size_t k = 0; k < text.size();) {
        if (text[k] == '\n') {
            if (damaged.count(line)) dropPending();
            ++line;
            ++k;
        } else if (text[k] == '\0') {
            damaged.insert(line);
            ++k;
        } else if (isBlank(text[k])) {
            ++k;
        } else {
            const size_t end = text.find_first_of(std::string(" \t\r\v\f\n\0", 7), k);
            const std::string token = text.substr(k, end - k);
            k = end == std::string::npos ? text.size() : end;
            long value = 0;
            const Token kind = classify(token, value);
            if (kind == Token::Other) {
                dropPending();
                damaged.insert(line);
            } else if (!pending) {
                pending = Pending{value, kind == Token::Number, line};
                if (kind != Token::Number) damaged.insert(line);
            } else if (!pending->usable || kind != Token::Number || value < 0 || value > 59) {
                damaged.insert(pending->line);
                damaged.insert(line);
                pending.reset();
            } else if (found.numbers.size() < NUMBERS) {
                found.numbers.push_back(short(pending->value));
                found.numbers.push_back(short(value));
                pending.reset();
            } else {
                ++pastTenth;
                pending.reset();
            }
        }
    }
    dropPending();
    for (int at : damaged) found.skipped.push_back(shown(text, at));
    if (pastTenth) found.skipped.push_back(std::to_string(pastTenth) + " pairs past the tenth");
    if (cut) found.skipped.push_back("everything past its first " + std::to_string(MAX_RANK_BYTES) + " bytes");
    return found;
}

// One line for each problem met, not one each time the file is read again
// (every stay in the menu reads it).
std::string lastKey;

void sayOnce(const std::string& key, const std::string& problem) {
    if (key == lastKey) return;
    lastKey = key;
    reportFileProblem(RANK_FILE, problem);
}

// The damaged file, kept beside it before a save writes over it; a copy
// kept earlier is never replaced (the player removes it when done).
void keepDamaged(const std::string& text, bool cut, const std::vector<std::string>& skipped) {
    std::string list;
    for (size_t k = 0; k < skipped.size() && k < NAMED; ++k) list += (k ? ", " : "") + skipped[k];
    if (skipped.size() > NAMED) list += " and " + std::to_string(skipped.size() - NAMED) + " more";
    const std::string copy = std::string(RANK_FILE) + ".damaged";
    std::string reason, kept;
    if (writeNewFile(copy, text, &reason))
        kept = (cut ? "its head is kept in " : "kept as it was in ") + fullPath(copy);
    else if (reason == "already exists")
        kept = fullPath(copy) + " already holds an earlier copy";
    else
        kept = "could not be kept in " + fullPath(copy) + ": " + reason;
    sayOnce(fullPath(RANK_FILE) + text, "is damaged, skipped: " + list + "; " + kept);
}

}  // namespace

bool readRankFile(short table[20]) {
    std::string text, reason;
    bool cut = false;
    if (!readPlayerFile(RANK_FILE, text, MAX_RANK_BYTES, &reason, &cut)) {
        if (!isNotFound(reason)) sayOnce(fullPath(RANK_FILE) + reason, reason);
        return false;
    }
    const Recovered found = recover(text, cut);
    std::copy(found.numbers.begin(), found.numbers.end(), table);
    if (!found.skipped.empty())
        keepDamaged(text, cut, found.skipped);
    else
        lastKey.clear();
    return true;
}

bool gravaRanking(const short tabela[20], const char* arquivo, std::string* reason) {
    std::string texto;
    for (int k = 0; k < 10; ++k)
        texto += std::to_string(tabela[2 * k]) + " " + std::to_string(tabela[2 * k + 1]) + "\n";
    return writeWholeFile(arquivo, texto, reason);
}

SaveOutcome trySaveRankFile(short table[20], const std::function<void(short table[20])>& enter) {
    FileLock lock(RANK_FILE);
    if (lock.busy()) return {SaveStatus::Busy, LOCKED_ELSEWHERE};
    short fresh[NUMBERS] = {};
    if (readRankFile(fresh)) std::copy(fresh, fresh + NUMBERS, table);
    enter(table);
    std::string reason;
    if (!gravaRanking(table, RANK_FILE, &reason)) return {SaveStatus::Failed, reason};
    return {};
}
