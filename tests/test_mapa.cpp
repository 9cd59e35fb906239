// The level: direction tables, set-up from level files and its reuse,
// steering, movement with its position history, and the timeline.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <cmath>
#include <cstdlib>

namespace {

using test::Level;

using LevelTest = test::WithLevel;

TEST(MapaTables, BuiltFromFourDecimalPi) {
    Mapa m;
    EXPECT_EQ(TestAccess::posicaoX(m, 0), 1.0f);
    EXPECT_EQ(TestAccess::posicaoY(m, 0), 0.0f);
    EXPECT_EQ(TestAccess::posicaoY(m, 90), 1.0f);
    EXPECT_EQ(TestAccess::posicaoX(m, 180), -1.0f);
    EXPECT_EQ(TestAccess::posicaoY(m, 270), -1.0f);
    EXPECT_NEAR(TestAccess::posicaoX(m, 90), 0.0000463f, 0.0000005f);
    EXPECT_GT(TestAccess::posicaoX(m, 90), 0.0f);
    EXPECT_NEAR(TestAccess::posicaoY(m, 180), 0.0000926f, 0.0000005f);
    EXPECT_NEAR(TestAccess::posicaoX(m, 270), -0.000139f, 0.000001f);
}

TEST(MapaTables, EveryHeadingIndexesInRange) {
    const short cases[] = {0, 359, 360, -1, 362, -3, 720, -360, -361, 32767, -32768};
    for (short d : cases) {
        short i = Mapa::indiceDirecao(d);
        EXPECT_GE(i, 0) << d;
        EXPECT_LE(i, 359) << d;
        EXPECT_EQ((i - d) % 360, 0) << d;
    }
}

TEST_F(LevelTest, SetUpTakesTheFilesNumbers) {
    Level n = test::neutralLevel(1);
    n.objects[0] = {150, 250, 6, 45, 12, 3};
    n.paredes[2] = {200, 210, 300, 220};
    ASSERT_TRUE(setUpLevel(1, n));
    Smile s = mapa.getSmile();
    EXPECT_EQ(s.getX(), 150);
    EXPECT_EQ(s.getY(), 250);
    EXPECT_EQ(s.getVelocidade(), 6);
    EXPECT_EQ(s.getDirecao(), 45);
    EXPECT_EQ(s.getRaio(), 12);
    EXPECT_EQ(TestAccess::smooth(s), 3);
    EXPECT_EQ(mapa.getIten().getX(), n.objects[1][0]);
    EXPECT_EQ(mapa.getLadrao().getY(), n.objects[5][1]);
    EXPECT_EQ(TestAccess::smooth(mapa.getLadrao()), n.objects[5][5]);
    EXPECT_FALSE(mapa.getCoco().getExiste());
    EXPECT_FALSE(mapa.getEsposa().getExiste());
    EXPECT_FALSE(mapa.getGangster().getExiste());
    EXPECT_FALSE(mapa.getLadrao().getExiste());
    EXPECT_EQ(mapa.getMin(), 0);
    EXPECT_EQ(mapa.getSeg(), 1);
    EXPECT_EQ(mapa.getMili(), 0);
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getSegD(), 20);
    EXPECT_EQ(mapa.getMiliD(), 0);
    ASSERT_EQ(mapa.getParedes(), 4);
    Parede p = mapa.getParede(2);
    EXPECT_EQ(p.getX(), 200);
    EXPECT_EQ(p.getY(), 210);
    EXPECT_EQ(p.getX2(), 300);
    EXPECT_EQ(p.getY2(), 220);
    EXPECT_GE(mapa.getIten().getIcone(), 0);
    EXPECT_LE(mapa.getIten().getIcone(), 4);
}

TEST_F(LevelTest, SecondSetUpReusesObjectsAndKeepsTurnStep) {
    Level n = test::neutralLevel(2);
    ASSERT_TRUE(setUpLevel(2, n));
    Smile* s = TestAccess::smile(mapa);
    Esposa* e = TestAccess::esposa(mapa);
    Iten* it = TestAccess::iten(mapa);
    for (int i = 0; i < 500; ++i) {
        mapa.movimentaObjetos();
        mapa.timeLine();
        mapa.contaTempo();
    }
    ASSERT_TRUE(mapa.getEsposa().getExiste());
    n.objects[3][5] = 40;  // a new turn step has no effect on a reused object
    ASSERT_TRUE(setUpLevel(2, n));
    EXPECT_EQ(TestAccess::smile(mapa), s);
    EXPECT_EQ(TestAccess::esposa(mapa), e);
    EXPECT_EQ(TestAccess::iten(mapa), it);
    EXPECT_EQ(TestAccess::smooth(*e), 5);
    EXPECT_EQ(e->getX(), n.objects[3][0]);
    EXPECT_EQ(e->getY(), n.objects[3][1]);
    EXPECT_EQ(e->getDirecao(), n.objects[3][3]);
    EXPECT_EQ(s->getX(), n.objects[0][0]);
    EXPECT_EQ(s->getVelocidade(), n.objects[0][2]);
    EXPECT_FALSE(e->getExiste());
    EXPECT_FALSE(mapa.getCoco().getExiste());
    EXPECT_EQ(mapa.getSeg(), 1);
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(LevelTest, WallCountFollowsLevel) {
    ASSERT_TRUE(setUpLevel(3, test::neutralLevel(3)));
    EXPECT_EQ(mapa.getParedes(), 8);
    ASSERT_TRUE(setUpLevel(2, test::neutralLevel(2)));
    EXPECT_EQ(mapa.getParedes(), 2);
    Level n = test::neutralLevel(3);
    for (short j = 0; j < 8; ++j) n.paredes[j] = {short(10 * j), short(100 + j), short(10 * j + 5), short(200 + j)};
    ASSERT_TRUE(setUpLevel(3, n));
    ASSERT_EQ(mapa.getParedes(), 8);
    for (short j = 0; j < 8; ++j) {
        EXPECT_EQ(mapa.getParede(j).getX(), 10 * j);
        EXPECT_EQ(mapa.getParede(j).getY2(), 200 + j);
    }
}

TEST_F(LevelTest, OutOfBoundsStartKeptOnCreateWrappedOnReuse) {
    Level n = test::neutralLevel(1);
    n.objects[0] = {700, 50, 5, 400, 10, 0};
    ASSERT_TRUE(setUpLevel(1, n));
    EXPECT_EQ(mapa.getSmile().getX(), 700);
    EXPECT_EQ(mapa.getSmile().getY(), 50);
    EXPECT_EQ(mapa.getSmile().getDirecao(), 400);
    ASSERT_TRUE(setUpLevel(1, n));
    EXPECT_EQ(mapa.getSmile().getX(), -30);
    EXPECT_EQ(mapa.getSmile().getY(), 480);
    EXPECT_EQ(mapa.getSmile().getDirecao(), 40);
}

TEST_F(LevelTest, ExtraNumbersAndAnyWhitespaceAreFine) {
    Level n = test::neutralLevel(2);
    n.objects[0][0] = -12;
    test::writeFile("02.txt", "\n\n  " + test::levelText(n) + "\r\n 1 2 3 junk");
    ASSERT_TRUE(mapa.inicia(2));
    EXPECT_EQ(mapa.getSmile().getX(), -12);
}

TEST_F(LevelTest, BadFilesRefusedAndLevelLeftAsItWas) {
    EXPECT_FALSE(mapa.inicia(1));  // no file at all, nothing created yet
    EXPECT_FALSE(mapa.inicia(0));
    EXPECT_FALSE(mapa.inicia(4));
    EXPECT_EQ(levelFilePath(3), "03.txt");
    EXPECT_EQ(levelFilePath(9), "");

    Level n = test::neutralLevel(1);
    ASSERT_TRUE(setUpLevel(1, n));
    mapa.setSegD(7);
    // One number short of the last wall.
    std::string text = test::levelText(n);
    text = text.substr(0, text.find_last_of("0123456789") - 1);
    test::writeFile("01.txt", text);
    Level other = test::neutralLevel(1);
    EXPECT_FALSE(mapa.inicia(1));
    // Not a number, a number too big for 16 bits.
    other.objects[0][0] = 10;
    test::writeFile("01.txt", "10 20 x" + test::levelText(other));
    EXPECT_FALSE(mapa.inicia(1));
    test::writeFile("01.txt", "40000 " + test::levelText(other));
    EXPECT_FALSE(mapa.inicia(1));
    EXPECT_EQ(mapa.getSegD(), 7);
    EXPECT_EQ(mapa.getSmile().getX(), n.objects[0][0]);
    EXPECT_EQ(mapa.getParedes(), 4);
}

// A refused level says what it found against what the level needs, and only
// a missing file gets the hint about the folder lumo was started from.
TEST_F(LevelTest, RefusalsSayWhatWasWrong) {
    std::string forty;
    for (int i = 0; i < 40; ++i) forty += "7 ";
    const std::string notANumber = ", not a whole number from -32768 to 32767";
    const std::string casos[][3] = {
        {"1", forty, "is too short: 40 numbers where level 1 needs 52"},
        {"2", "1 2 x5 " + forty, "is damaged: number 3 of 44 is \"x5\"" + notANumber},
        {"2", "40000 " + forty, "is damaged: number 1 of 44 is \"40000\"" + notANumber},
    };
    LevelNumbers n;
    for (const auto& c : casos) {
        std::string reason;
        EXPECT_FALSE(parseLevel(short(std::stoi(c[0])), c[1], n, &reason));
        EXPECT_EQ(reason, c[2]);
    }
    LevelProblem missing, tooShort;
    const std::string here = folder.path() + "/01.txt ";
    ASSERT_FALSE(loadLevel(1, n, &missing));
    EXPECT_EQ(levelProblemMessage(missing).rfind(here, 0), 0u) << levelProblemMessage(missing);
    EXPECT_NE(levelProblemMessage(missing).find("run lumo from the folder that holds Data/"), std::string::npos);
    test::writeFile("01.txt", forty);
    ASSERT_FALSE(loadLevel(1, n, &tooShort));
    EXPECT_EQ(levelProblemMessage(tooShort), here + "is too short: 40 numbers where level 1 needs 52");
}

TEST_F(LevelTest, TurnKeysTurnOnHeldState) {
    Level n = test::neutralLevel(1);
    n.objects[0][3] = 350;
    ASSERT_TRUE(setUpLevel(1, n));
    key[KEY_RIGHT] = 1;
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 5);
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 20);
    key[KEY_RIGHT] = 0;
    key[KEY_A] = 1;
    key[KEY_LEFT] = 1;  // both groups: only the +15 turn
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 35);
    key[KEY_A] = 0;
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 20);
    key[KEY_LEFT] = 0;
    key[KEY_D] = 1;
    mapa.capturaComando();
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 350);
    key[KEY_D] = 0;
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 350);
}

TEST_F(LevelTest, TurnKeysWrapAtZero) {
    ASSERT_TRUE(setUpLevel(1, test::neutralLevel(1)));  // heading 0
    key[KEY_LEFT] = 1;
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 345);
    key[KEY_LEFT] = 0;
    key[KEY_RIGHT] = 1;
    for (int i = 0; i < 24; ++i) mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 345);
}

TEST_F(LevelTest, OnlyThePlayerMovesWithNoEnemyAndAllPositionsAreSaved) {
    Level n = test::neutralLevel(1);
    n.objects[0] = {100, 100, 5, 90, 10, 0};
    ASSERT_TRUE(setUpLevel(1, n));
    Mapa& m = mapa;
    Objeto* all[] = {TestAccess::smile(m), TestAccess::iten(m), TestAccess::coco(m),
                       TestAccess::esposa(m), TestAccess::gangster(m), TestAccess::ladrao(m)};
    for (Objeto* o : all) o->setXA(-999);
    float before[6][2];
    for (int i = 0; i < 6; ++i) before[i][0] = all[i]->getX(), before[i][1] = all[i]->getY();
    mapa.movimentaObjetos();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(all[i]->getXA(), before[i][0]) << i;
        EXPECT_EQ(all[i]->getYA(), before[i][1]) << i;
        if (i > 0) {
            EXPECT_EQ(all[i]->getX(), before[i][0]) << i;
            EXPECT_EQ(all[i]->getY(), before[i][1]) << i;
        }
    }
    EXPECT_FLOAT_EQ(mapa.getSmile().getX(), static_cast<float>(100 + 5 * static_cast<double>(TestAccess::posicaoX(m, 90))));
    EXPECT_EQ(mapa.getSmile().getY(), 105);
}

TEST_F(LevelTest, EsposaAimsWhereThePlayerNowIs) {
    Level n = test::neutralLevel(1);
    // The player moves from straight right of the Esposa (no aim) to below-right.
    n.objects[0] = {300, 200, 10, 90, 1, 0};
    n.objects[3] = {200, 200, 0, 10, 1, 5};
    ASSERT_TRUE(setUpLevel(1, n));
    TestAccess::esposa(mapa)->setExiste(true);
    mapa.movimentaObjetos();
    Esposa e = mapa.getEsposa();
    EXPECT_EQ(TestAccess::aponta(e), static_cast<short>(std::atan(10.0f / 100.0f) / (3.1415 / 180)));
    EXPECT_EQ(e.getDirecao(), 10 - 5);  // aim 5 is not above 10: turns down
}

TEST_F(LevelTest, HeadingOutsideTableUsesWrappedEntry) {
    Level n = test::neutralLevel(1);
    // The player far right and a little above: the aim comes out at 359.
    n.objects[0] = {600, 196, 0, 0, 1, 0};
    n.objects[3] = {200, 200, 4, 357, 1, 5};
    ASSERT_TRUE(setUpLevel(1, n));
    TestAccess::smile(mapa)->setY(196.5f);
    Esposa* e = TestAccess::esposa(mapa);
    e->setExiste(true);
    mapa.movimentaObjetos();
    ASSERT_EQ(TestAccess::aponta(*e), 359);
    EXPECT_EQ(e->getDirecao(), 362);
    EXPECT_FLOAT_EQ(e->getX(), static_cast<float>(200 + 4 * static_cast<double>(TestAccess::posicaoX(mapa, 2))));
    EXPECT_FLOAT_EQ(e->getY(), static_cast<float>(200 + 4 * static_cast<double>(TestAccess::posicaoY(mapa, 2))));
}

TEST_F(LevelTest, CocoLandingOnAWallChangesNothingButScratch) {
    Level n = test::neutralLevel(2);
    n.paredes[0] = {-100, -100, 800, 600};  // the whole field: every landing is on it
    ASSERT_TRUE(setUpLevel(2, n));
    Coco* c = TestAccess::coco(mapa);
    c->setExiste(true);
    const Smile before = mapa.getSmile();
    srand(21);
    const int rx = rand(), ry = rand();
    srand(21);
    mapa.movimentaObjetos();
    EXPECT_EQ(c->getX(), rx % 580 + 40);
    EXPECT_EQ(c->getY(), ry % 400 + 80);
    // The circle test of the check ran on the player and the landed Coco.
    EXPECT_EQ(TestAccess::distX(mapa), mapa.getSmile().getX() - c->getX());
    EXPECT_EQ(TestAccess::distY(mapa), mapa.getSmile().getY() - c->getY());
    EXPECT_EQ(mapa.getSmile().getDirecao(), before.getDirecao());
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(LevelTest, EnemiesEnterOnTheTimeline) {
    ASSERT_TRUE(setUpLevel(1, test::neutralLevel(1)));
    mapa.setSegD(59);
    mapa.setMinD(5);  // long enough for all four
    int input[4] = {0, 0, 0, 0};
    for (int u = 1; u <= 1100; ++u) {
        mapa.movimentaObjetos();
        mapa.timeLine();
        mapa.contaTempo();
        mapa.contaTempoRestante();
        const bool presentCount[4] = {mapa.getCoco().getExiste(), mapa.getEsposa().getExiste(),
                                   mapa.getLadrao().getExiste(), mapa.getGangster().getExiste()};
        for (int k = 0; k < 4; ++k) {
            // The report names an entrance on its update and on no other.
            EXPECT_EQ(mapa.report().entered[k], presentCount[k] && input[k] == 0) << k << " at " << u;
            if (presentCount[k] && input[k] == 0) input[k] = u;
        }
        EXPECT_EQ(mapa.report().speedUp, u % 500 == 0) << u;
    }
    EXPECT_EQ(input[0], 125);
    EXPECT_EQ(input[1], 435);
    EXPECT_EQ(input[2], 745);
    EXPECT_EQ(input[3], 1055);
}

TEST_F(LevelTest, SpeedRisesEvery500UpdatesUpTo15) {
    Level n = test::neutralLevel(1);
    n.objects[0][2] = 14;
    ASSERT_TRUE(setUpLevel(1, n));
    TestAccess::tempo(mapa) = 498;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 14);
    mapa.timeLine();  // tempo 500
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 15);
    TestAccess::tempo(mapa) = 999;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 15);
    // tempo wraps from 32767 to -32768; -32500 is a multiple of 500.
    TestAccess::smile(mapa)->setVelocidade(5);
    TestAccess::tempo(mapa) = 32767;
    mapa.timeLine();
    EXPECT_EQ(TestAccess::tempo(mapa), -32768);
    TestAccess::tempo(mapa) = -32501;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 6);
}

TEST_F(LevelTest, EveryGameSpeedsUpAtItsOwn500thUpdate) {
    ASSERT_TRUE(setUpLevel(1, test::neutralLevel(1)));
    EXPECT_EQ(TestAccess::tempo(mapa), 0);
    for (int u = 0; u < 137; ++u) mapa.timeLine();  // a first game ended early
    ASSERT_TRUE(mapa.inicia(1));
    EXPECT_EQ(TestAccess::tempo(mapa), 0);
    int first = 0;
    for (int u = 1; u <= 500 && first == 0; ++u) {
        mapa.movimentaObjetos();
        mapa.timeLine();
        if (mapa.report().speedUp) first = u;
    }
    EXPECT_EQ(first, 500);
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 6);
}

}  // namespace
