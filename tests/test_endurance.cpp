// A long run of play with the shipped pictures and levels: random steering,
// games ended by the clock or by Escape, the result entered and written, the
// menu entered and a new game started, frame after frame. Built with
// LUMO_SANITIZE=ON any memory or undefined-behaviour fault stops it.
// LUMO_FRAMES sets the number of frames: 20000 by default, 100000 in
// scripts/reliability.sh, a million for the full soak.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "tests/headless.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <utility>

namespace {

namespace fs = std::filesystem;

long framesAsked() {
    const char* n = std::getenv("LUMO_FRAMES");
    return n ? std::atol(n) : 20000;
}

bool insideTheField(const Objeto& o) {
    return o.getX() >= -30 && o.getX() <= 640 && o.getY() >= 70 && o.getY() <= 480;
}

}  // namespace

TEST(Endurance, ManyFramesOnThreeLevels) {
    test::startAllegro();
    test::TempFolder folder;
    const fs::path source(LUMO_SOURCE_DIR);
    fs::copy(source / "Data", "Data", fs::copy_options::recursive);
    for (const char* n : {"01.txt", "02.txt", "03.txt"}) fs::copy(source / n, n);

    Jogo jogo;
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    std::mt19937 draw(2024);
    srand(2024);
    const long total = framesAsked();
    long frames = 0;
    int byTime = 0, byEscape = 0, outsideTheField = 0;
    std::pair<int, int> best{0, 0};

    JogoTestAccess::openMenu(jogo);
    while (frames < total) {
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, static_cast<short>(draw() % 3 + 1)));
        JogoTestAccess::drawBackground(jogo);
        while (JogoTestAccess::screen(jogo) == GameScreen::Play && frames < total) {
            // A new steering every ten frames: none, either turn, or the other keys.
            if (frames % 10 == 0) {
                const unsigned choice = draw() % 5;
                key[KEY_RIGHT] = choice == 1;
                key[KEY_LEFT] = choice == 2;
                key[KEY_A] = choice == 3;
                key[KEY_D] = choice == 4;
            }
            key[KEY_ESC] = draw() % 1500 == 0;
            JogoTestAccess::frame(jogo);
            ++frames;
            const Mapa& m = JogoTestAccess::mapa(jogo);
            outsideTheField += !insideTheField(m.getSmile()) + !insideTheField(m.getIten());
            const bool ended = JogoTestAccess::screen(jogo) == GameScreen::Summary;
            if (key[KEY_ESC]) {
                ASSERT_TRUE(ended) << "Escape went down at frame " << frames << " and the game went on";
                ++byEscape;
            } else if (ended) {
                // Nothing but the clock ends a game Escape did not.
                ASSERT_TRUE(m.report().timeUp) << "a game ended at frame " << frames << " with time left";
                ++byTime;
            }
        }
        key[KEY_ESC] = 0;
        const Mapa& m = JogoTestAccess::mapa(jogo);
        best = std::max(best, std::make_pair(m.getMin(), m.getSeg()));
        // A game the frame count cut short ends as the loop would end it.
        if (JogoTestAccess::screen(jogo) != GameScreen::Summary) JogoTestAccess::finishGame(jogo);
        JogoTestAccess::openMenu(jogo);
    }
    test::releaseInput();

    EXPECT_EQ(outsideTheField, 0);
    if (total >= 20000) {
        EXPECT_GT(byTime, 0) << "no game ran out of time";
    }
    // The best result played is the top of the table read back from the file.
    Jogo other;
    JogoTestAccess::openMenu(other);
    const short* table = JogoTestAccess::ranking(other);
    EXPECT_EQ(std::make_pair(int(table[18]), int(table[19])), best);
    std::printf("%ld frames, %d games out of time, %d ended with Escape, best %d:%02d\n", frames, byTime,
                byEscape, best.first, best.second);
}
