// Long runs with random steering on every test level and, once they exist, on
// the shipped levels: after every update everything present stays within the
// wrap bounds, headings stay where the table look-up can take them, the clocks
// stay in range, and the game ends exactly when the countdown says so.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <allegro.h>

#include <cstdlib>
#include <random>

namespace {

const int ATUALIZACOES_POR_SEMENTE = 50000;
const unsigned SEMENTES[] = {1, 22, 333, 4444, 55555, 666666};  // 300,000 updates per level

::testing::AssertionResult naTela(const Objeto& o, const char* nome) {
    if (o.getX() >= -30 && o.getX() <= 640 && o.getY() >= 70 && o.getY() <= 480)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nome << " at (" << o.getX() << ", " << o.getY() << ")";
}

// A steering enemy may stand up to one turn step outside 0..359; everything
// else stays inside, and every heading maps to a table entry.
::testing::AssertionResult rumoValido(const Objeto& o, short folga, const char* nome) {
    short d = o.getDirecao();
    short i = Mapa::indiceDirecao(d);
    if (d >= -folga && d <= 359 + folga && i >= 0 && i <= 359) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nome << " heading " << d;
}

void confere(Mapa& m, bool acabou, bool deviaAcabar) {
    Smile* s = AcessoTeste::smile(m);
    ASSERT_TRUE(naTela(*s, "player"));
    ASSERT_TRUE(naTela(*AcessoTeste::iten(m), "item"));
    ASSERT_TRUE(rumoValido(*s, 0, "player"));
    struct Presente {
        Inimigo* inimigo;
        short folga;
        const char* nome;
    };
    const Presente inimigos[] = {
        {AcessoTeste::coco(m), 0, "Coco"},
        {AcessoTeste::esposa(m), AcessoTeste::smooth(*AcessoTeste::esposa(m)), "Esposa"},
        {AcessoTeste::gangster(m), 0, "Gangster"},
        {AcessoTeste::ladrao(m), AcessoTeste::smooth(*AcessoTeste::ladrao(m)), "Ladrao"}};
    for (const Presente& p : inimigos) {
        if (!p.inimigo->getExiste()) continue;
        ASSERT_TRUE(naTela(*p.inimigo, p.nome));
        ASSERT_TRUE(rumoValido(*p.inimigo, p.folga, p.nome));
    }
    ASSERT_EQ(acabou, deviaAcabar);
    ASSERT_GE(m.getMili(), 0);
    ASSERT_LE(m.getMili(), 30);
    ASSERT_GE(m.getSeg(), 0);
    ASSERT_LE(m.getSeg(), 59);
    ASSERT_GE(m.getMin(), 0);
    ASSERT_LE(m.getMin(), 100);
    if (acabou) {
        ASSERT_LE(m.getSegD(), 0);
        ASSERT_LE(m.getMinD(), 0);
    } else {
        ASSERT_GE(m.getMiliD(), 0);
        ASSERT_LE(m.getMiliD(), 30);
        ASSERT_GE(m.getSegD(), 0);
        ASSERT_LE(m.getSegD(), 59);
        ASSERT_GE(m.getMinD(), 0);
    }
}

// Every other game gets three more minutes, so all four enemies play long.
void comeca(Mapa& mapa, short nr, int jogo) {
    ASSERT_TRUE(mapa.inicia(nr));
    if (jogo % 2 == 0) mapa.setMinD(3);
}

// Plays level nr, already written in the working folder, game after game.
void joga(short nr) {
    Mapa mapa;
    for (unsigned semente : SEMENTES) {
        SCOPED_TRACE("seed " + std::to_string(semente));
        ASSERT_NO_FATAL_FAILURE(comeca(mapa, nr, 0));
        srand(semente);
        std::mt19937 volante(semente);
        int jogos = 0;
        for (int u = 0; u < ATUALIZACOES_POR_SEMENTE; ++u) {
            // Held for a while, like a player: change the keys now and then.
            if (volante() % 8 == 0) {
                const unsigned escolha = volante() % 6;
                key[KEY_RIGHT] = escolha == 1;
                key[KEY_A] = escolha == 2 || escolha == 5;
                key[KEY_LEFT] = escolha == 3 || escolha == 5;
                key[KEY_D] = escolha == 4;
            }
            // Collisions may drive the remaining seconds below zero: the end
            // test sees them after the update's own collisions.
            const int segD = mapa.getSegD(), minD = mapa.getMinD();
            const bool acabou = teste::atualiza(mapa);
            const bool deviaAcabar = segD + mapa.report().secondsChange <= 0 && minD <= 0;
            ASSERT_NO_FATAL_FAILURE(confere(mapa, acabou, deviaAcabar));
            if (acabou) {
                ++jogos;
                ASSERT_NO_FATAL_FAILURE(comeca(mapa, nr, jogos));
            }
        }
        EXPECT_GT(jogos, 0);
    }
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
}

TEST(Soak, TestLevels) {
    const char* arquivos[] = {"replay1.txt", "replay2.txt", "replay3.txt"};
    for (short nr = 1; nr <= 3; ++nr) {
        SCOPED_TRACE(arquivos[nr - 1]);
        teste::PastaTemporaria pasta;
        teste::escreveArquivo(levelFilePath(nr),
                              teste::leArquivo(std::string(LUMO_SOURCE_DIR) + "/tests/data/" + arquivos[nr - 1]));
        joga(nr);
    }
}

TEST(Soak, ShippedLevels) {
    for (short nr = 1; nr <= 3; ++nr) {
        const std::string origem = std::string(LUMO_SOURCE_DIR) + "/" + levelFilePath(nr);
        if (!teste::existe(origem)) GTEST_SKIP() << origem << " is not there yet";
    }
    for (short nr = 1; nr <= 3; ++nr) {
        SCOPED_TRACE(levelFilePath(nr));
        teste::PastaTemporaria pasta;
        teste::escreveArquivo(levelFilePath(nr),
                              teste::leArquivo(std::string(LUMO_SOURCE_DIR) + "/" + levelFilePath(nr)));
        joga(nr);
    }
}

}  // namespace
