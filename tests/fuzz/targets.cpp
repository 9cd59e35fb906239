#include "tests/fuzz/targets.h"

#include "tests/support.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

namespace {

void write(const char* file, const uint8_t* data, size_t size) {
    test::writeFile(file, std::string(reinterpret_cast<const char*>(data), size));
}

// Turn keys held in stretches, Escape never: the frames run to the count.
void play(Jogo& jogo, int frames) {
    for (int q = 0; q < frames; ++q) {
        key[KEY_RIGHT] = (q / 17) % 3 == 0;
        key[KEY_LEFT] = (q / 17) % 3 == 1;
        JogoTestAccess::frame(jogo);
    }
    key[KEY_RIGHT] = key[KEY_LEFT] = 0;
}

std::vector<short> table(const Jogo& jogo) {
    return {JogoTestAccess::ranking(jogo), JogoTestAccess::ranking(jogo) + 20};
}

bool sorted(const std::vector<short>& t) {
    for (int k = 2; k < 20; k += 2)
        if (t[k] < t[k - 2] || (t[k] == t[k - 2] && t[k + 1] < t[k - 1])) return false;
    return true;
}

}  // namespace

bool level(const uint8_t* data, size_t size) {
    write("01.txt", data, size);
    Jogo jogo;
    if (!JogoTestAccess::startLevel(jogo, 1)) {
        // A refused level leaves no objects behind to draw or move.
        return JogoTestAccess::mapa(jogo).getParedes() == 0;
    }
    // The same input always plays the same game.
    srand(static_cast<unsigned>(size));
    JogoTestAccess::drawBackground(jogo);
    play(jogo, 200);
    if (!JogoTestAccess::startLevel(jogo, 1)) return false;  // the file did not change
    JogoTestAccess::drawBackground(jogo);
    play(jogo, 100);
    return true;
}

bool ranking(Jogo& jogo, const uint8_t* data, size_t size) {
    // A table of zeros first: what a short file leaves unread must not
    // depend on the input before.
    test::writeFile("rank.txt", "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    JogoTestAccess::openMenu(jogo);
    write("rank.txt", data, size);
    JogoTestAccess::openMenu(jogo);
    if (!sorted(table(jogo))) return false;

    const short minutes = static_cast<short>(size % 101), seconds = static_cast<short>(size % 60);
    JogoTestAccess::mapa(jogo).setMin(minutes);
    JogoTestAccess::mapa(jogo).setSeg(seconds);
    const std::vector<short> before = table(jogo);
    jogo.ordenaSelection();
    jogo.insereRanking();
    const std::vector<short> after = table(jogo);
    if (!sorted(after)) return false;
    // Longer than the lowest: it is in the table; otherwise nothing changed.
    const bool enters = minutes > before[0] || (minutes == before[0] && seconds > before[1]);
    bool present = false;
    for (int k = 0; k < 20; k += 2) present = present || (after[k] == minutes && after[k + 1] == seconds);
    if (enters ? !present : after != before) return false;
    jogo.ranking();

    Jogo other;
    JogoTestAccess::openMenu(other);
    return table(other) == after;
}

}  // namespace fuzz
