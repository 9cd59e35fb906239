// A long run of play with the shipped pictures and levels: random steering,
// games ended by the clock or by Escape, the result entered and written, the
// menu entered and a new game started, frame after frame. Built with
// LUMO_SANITIZE=ON any memory or undefined-behaviour fault stops it.
// LUMO_FRAMES sets the number of frames: 20000 by default, 100000 in
// scripts/reliability.sh, a million for the full soak.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "tests/support.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <utility>

namespace {

namespace fs = std::filesystem;

long quadrosPedidos() {
    const char* n = std::getenv("LUMO_FRAMES");
    return n ? std::atol(n) : 20000;
}

bool dentroDoCampo(const Objeto& o) {
    return o.getX() >= -30 && o.getX() <= 640 && o.getY() >= 70 && o.getY() <= 480;
}

}  // namespace

TEST(Endurance, ManyFramesOnThreeLevels) {
    teste::iniciaAllegro();
    teste::PastaTemporaria pasta;
    const fs::path fonte(LUMO_SOURCE_DIR);
    fs::copy(fonte / "Data", "Data", fs::copy_options::recursive);
    for (const char* n : {"01.txt", "02.txt", "03.txt"}) fs::copy(fonte / n, n);

    Jogo jogo;
    ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
    std::mt19937 sorteio(2024);
    srand(2024);
    const long total = quadrosPedidos();
    long quadros = 0;
    int porTempo = 0, porEsc = 0, foraDoCampo = 0;
    std::pair<int, int> melhor{0, 0};

    JogoTestAccess::openMenu(jogo);
    while (quadros < total) {
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, static_cast<short>(sorteio() % 3 + 1)));
        JogoTestAccess::drawBackground(jogo);
        for (;;) {
            // A new steering every ten frames: none, either turn, or the other keys.
            if (quadros % 10 == 0) {
                const unsigned escolha = sorteio() % 5;
                key[KEY_RIGHT] = escolha == 1;
                key[KEY_LEFT] = escolha == 2;
                key[KEY_A] = escolha == 3;
                key[KEY_D] = escolha == 4;
            }
            key[KEY_ESC] = sorteio() % 1500 == 0;
            if (key[KEY_ESC] || JogoTestAccess::screen(jogo) != GameScreen::Play || quadros >= total) break;
            JogoTestAccess::frame(jogo);
            ++quadros;
            Mapa& m = JogoTestAccess::mapa(jogo);
            foraDoCampo += !dentroDoCampo(m.getSmile()) + !dentroDoCampo(m.getIten());
        }
        (key[KEY_ESC] ? porEsc : porTempo)++;
        const Mapa& m = JogoTestAccess::mapa(jogo);
        melhor = std::max(melhor, std::make_pair(m.getMin(), m.getSeg()));
        // The game's end, where the clock did not bring it, then the menu again.
        if (JogoTestAccess::screen(jogo) != GameScreen::Summary) JogoTestAccess::finishGame(jogo);
        JogoTestAccess::openMenu(jogo);
    }
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;

    EXPECT_EQ(quadros, total);
    EXPECT_EQ(foraDoCampo, 0);
    if (total >= 20000) {
        EXPECT_GT(porTempo, 0) << "no game ran out of time";
        EXPECT_GT(porEsc, 0) << "no game was ended with Escape";
    }
    // The best result played is the top of the table read back from the file.
    Jogo outro;
    JogoTestAccess::openMenu(outro);
    EXPECT_EQ(std::make_pair(int(JogoTestAccess::ranking(outro)[18]), int(JogoTestAccess::ranking(outro)[19])), melhor);
    std::printf("%ld frames, %d games out of time, %d ended with Escape, best %d:%02d\n", quadros, porTempo,
                porEsc, melhor.first, melhor.second);
}
