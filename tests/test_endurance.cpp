// A long run of play with the shipped pictures and levels: random steering,
// games ended by the clock or by Escape, the result entered and written, the
// menu entered and a new game started, frame after frame. Built with
// LUMO_SANITIZE=ON any memory or undefined-behaviour fault stops it.
// LUMO_FRAMES sets the number of frames: 20000 by default, 100000 in
// scripts/reliability.sh, a million for the full soak.
#include <gtest/gtest.h>

#include "app/jogo.h"
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
    ASSERT_TRUE(jogo.getRender().carregaImagens());
    std::mt19937 draw(2024);
    srand(2024);
    const long total = framesAsked();
    long frames = 0;
    int byTime = 0, byEscape = 0, outsideTheField = 0;
    std::pair<int, int> best{0, 0};

    jogo.entraMenu();
    while (frames < total) {
        ASSERT_TRUE(jogo.iniciaJogo(static_cast<short>(draw() % 3 + 1)));
        jogo.desenhaFundo();
        while (!jogo.getFim() && frames < total) {
            // A new steering every ten frames: none, either turn, or the other keys.
            if (frames % 10 == 0) {
                const unsigned choice = draw() % 5;
                key[KEY_RIGHT] = choice == 1;
                key[KEY_LEFT] = choice == 2;
                key[KEY_A] = choice == 3;
                key[KEY_D] = choice == 4;
            }
            key[KEY_ESC] = draw() % 1500 == 0;
            jogo.quadroJogo();
            ++frames;
            const Mapa& m = jogo.getMapa();
            outsideTheField += !insideTheField(m.getSmile()) + !insideTheField(m.getIten());
            if (key[KEY_ESC]) {
                ASSERT_TRUE(jogo.getFim()) << "Escape went down at frame " << frames << " and the game went on";
                ++byEscape;
            } else if (jogo.getFim()) {
                // Nothing but the clock ends a game Escape did not.
                ASSERT_TRUE(m.report().timeUp) << "a game ended at frame " << frames << " with time left";
                ++byTime;
            }
        }
        key[KEY_ESC] = 0;
        const Mapa& m = jogo.getMapa();
        best = std::max(best, std::make_pair(m.getMin(), m.getSeg()));
        // What gameLoop does after a game, then the menu again.
        jogo.ordenaSelection();
        jogo.insereRanking();
        jogo.entraMenu();
    }
    test::releaseInput();

    EXPECT_EQ(outsideTheField, 0);
    if (total >= 20000) {
        EXPECT_GT(byTime, 0) << "no game ran out of time";
    }
    // The best result played is the top of the table read back from the file.
    Jogo other;
    other.entraMenu();
    EXPECT_EQ(std::make_pair(int(other.getRanking()[18]), int(other.getRanking()[19])), best);
    std::printf("%ld frames, %d games out of time, %d ended with Escape, best %d:%02d\n", frames, byTime,
                byEscape, best.first, best.second);
}
