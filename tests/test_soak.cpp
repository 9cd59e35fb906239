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

const int UPDATES_PER_SEED = 50000;
const unsigned SEEDS[] = {1, 22, 333, 4444, 55555, 666666};  // 300,000 updates per level

::testing::AssertionResult onScreen(const Objeto& o, const char* name) {
    if (o.getX() >= -30 && o.getX() <= 640 && o.getY() >= 70 && o.getY() <= 480)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " at (" << o.getX() << ", " << o.getY() << ")";
}

// A steering enemy may stand up to one turn step outside 0..359; everything
// else stays inside, and every heading maps to a table entry.
::testing::AssertionResult validHeading(const Objeto& o, short slack, const char* name) {
    short d = o.getDirecao();
    short i = Mapa::indiceDirecao(d);
    if (d >= -slack && d <= 359 + slack && i >= 0 && i <= 359) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " heading " << d;
}

void check(Mapa& m, bool ended, bool shouldEnd) {
    Smile* s = TestAccess::smile(m);
    ASSERT_TRUE(onScreen(*s, "player"));
    ASSERT_TRUE(onScreen(*TestAccess::iten(m), "item"));
    ASSERT_TRUE(validHeading(*s, 0, "player"));
    struct Present {
        Inimigo* inimigo;
        short slack;
        const char* name;
    };
    const Present enemies[] = {
        {TestAccess::coco(m), 0, "Coco"},
        {TestAccess::esposa(m), TestAccess::smooth(*TestAccess::esposa(m)), "Esposa"},
        {TestAccess::gangster(m), 0, "Gangster"},
        {TestAccess::ladrao(m), TestAccess::smooth(*TestAccess::ladrao(m)), "Ladrao"}};
    for (const Present& p : enemies) {
        if (!p.inimigo->getExiste()) continue;
        ASSERT_TRUE(onScreen(*p.inimigo, p.name));
        ASSERT_TRUE(validHeading(*p.inimigo, p.slack, p.name));
    }
    ASSERT_EQ(ended, shouldEnd);
    ASSERT_GE(m.getMili(), 0);
    ASSERT_LE(m.getMili(), 30);
    ASSERT_GE(m.getSeg(), 0);
    ASSERT_LE(m.getSeg(), 59);
    ASSERT_GE(m.getMin(), 0);
    ASSERT_LE(m.getMin(), 100);
    if (ended) {
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
void begin(Mapa& mapa, short nr, int jogo) {
    ASSERT_TRUE(mapa.inicia(nr));
    if (jogo % 2 == 0) mapa.setMinD(3);
}

// Plays level nr, already written in the working folder, game after game.
void play(short nr) {
    Mapa mapa;
    for (unsigned seed : SEEDS) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_NO_FATAL_FAILURE(begin(mapa, nr, 0));
        srand(seed);
        std::mt19937 wheel(seed);
        int games = 0;
        for (int u = 0; u < UPDATES_PER_SEED; ++u) {
            // Held for a while, like a player: change the keys now and then.
            if (wheel() % 8 == 0) {
                const unsigned escolha = wheel() % 6;
                key[KEY_RIGHT] = escolha == 1;
                key[KEY_A] = escolha == 2 || escolha == 5;
                key[KEY_LEFT] = escolha == 3 || escolha == 5;
                key[KEY_D] = escolha == 4;
            }
            // Collisions may drive the remaining seconds below zero: the end
            // test sees them after the update's own collisions.
            const int segD = mapa.getSegD(), minD = mapa.getMinD();
            const bool ended = test::update(mapa);
            const bool shouldEnd = segD + mapa.report().secondsChange <= 0 && minD <= 0;
            ASSERT_NO_FATAL_FAILURE(check(mapa, ended, shouldEnd));
            if (ended) {
                ++games;
                ASSERT_NO_FATAL_FAILURE(begin(mapa, nr, games));
            }
        }
        EXPECT_GT(games, 0);
    }
    test::releaseInput();
}

TEST(Soak, TestLevels) {
    const char* files[] = {"replay1.txt", "replay2.txt", "replay3.txt"};
    for (short nr = 1; nr <= 3; ++nr) {
        SCOPED_TRACE(files[nr - 1]);
        test::TempFolder folder;
        test::writeFile(levelFilePath(nr),
                              test::readFile(std::string(LUMO_SOURCE_DIR) + "/tests/data/" + files[nr - 1]));
        play(nr);
    }
}

TEST(Soak, ShippedLevels) {
    for (short nr = 1; nr <= 3; ++nr) {
        const std::string origin = std::string(LUMO_SOURCE_DIR) + "/" + levelFilePath(nr);
        if (!test::exists(origin)) GTEST_SKIP() << origin << " is not there yet";
    }
    for (short nr = 1; nr <= 3; ++nr) {
        SCOPED_TRACE(levelFilePath(nr));
        test::TempFolder folder;
        test::writeFile(levelFilePath(nr),
                              test::readFile(std::string(LUMO_SOURCE_DIR) + "/" + levelFilePath(nr)));
        play(nr);
    }
}

}  // namespace
