// The game objects on their own: wrap rules, aiming, turning, moving, and the
// random jumps, headings, places and pictures.
#include <gtest/gtest.h>

#include "objects/coco.h"
#include "objects/esposa.h"
#include "objects/gangster.h"
#include "objects/iten.h"
#include "objects/ladrao.h"
#include "objects/smile.h"
#include "tests/test_access.h"

#include <cstdlib>
#include <set>

namespace {

Smile smileAt(float x, float y, short direcao = 0, short smooth = 5) { return Smile(x, y, 3, direcao, 10, smooth); }

TEST(ObjetoWrap, HorizontalKeepsBoundsAndWrapsPastThem) {
    Smile s = smileAt(100, 100);
    s.setX(640);
    EXPECT_EQ(s.getX(), 640);
    s.setX(640.5f);
    EXPECT_EQ(s.getX(), -30);
    s.setX(-30);
    EXPECT_EQ(s.getX(), -30);
    s.setX(-30.5f);
    EXPECT_EQ(s.getX(), 640);
    s.setX(123.25f);
    EXPECT_EQ(s.getX(), 123.25f);
}

TEST(ObjetoWrap, VerticalRunsBetweenPanelAndBottom) {
    Smile s = smileAt(100, 100);
    s.setY(480);
    EXPECT_EQ(s.getY(), 480);
    s.setY(480.5f);
    EXPECT_EQ(s.getY(), 70);
    s.setY(69.5f);
    EXPECT_EQ(s.getY(), 480);
    s.setY(0);
    EXPECT_EQ(s.getY(), 480);
    s.setY(70);
    EXPECT_EQ(s.getY(), 70);
}

TEST(ObjetoWrap, HeadingCorrectedOnce) {
    Smile s = smileAt(100, 100);
    const short inputs[] = {360, -1, 375, -90, 720, 0, 359};
    const short expectedValues[] = {0, 359, 15, 270, 360, 0, 359};
    for (int i = 0; i < 7; ++i) {
        s.setDirecao(inputs[i]);
        EXPECT_EQ(s.getDirecao(), expectedValues[i]) << "setDirecao(" << inputs[i] << ")";
    }
}

TEST(ObjetoAim, QuadrantsFromTheCentre) {
    const float targets[][2] = {{200, 200}, {0, 200}, {0, 0}, {200, 0}};
    const short expectedValues[] = {45, 135, 225, 315};
    for (int i = 0; i < 4; ++i) {
        Smile s = smileAt(100, 100, 7);
        s.apontar(targets[i][0], targets[i][1]);
        EXPECT_EQ(TestAccess::aponta(s), expectedValues[i]) << "target " << i;
    }
}

TEST(ObjetoAim, SameRowOrColumnKeepsOldAim) {
    Smile s = smileAt(100, 100, 77);
    s.apontar(100, 300);
    EXPECT_EQ(TestAccess::aponta(s), 77);
    s.apontar(300, 100);
    EXPECT_EQ(TestAccess::aponta(s), 77);
    s.apontar(100, 100);
    EXPECT_EQ(TestAccess::aponta(s), 77);
}

TEST(ObjetoAim, TruncatesTowardZero) {
    Smile s = smileAt(100, 100, 77);
    s.apontar(200, 101);
    EXPECT_EQ(TestAccess::aponta(s), 0);
    // atan(2) is 63.43 degrees: truncated, not rounded.
    s.apontar(150, 200);
    EXPECT_EQ(TestAccess::aponta(s), 63);
    // Far right, a hair above: the last case reaches 360 with pi as 3.1415.
    s.apontar(30000, 99.99f);
    EXPECT_EQ(TestAccess::aponta(s), 360);
}

TEST(ObjetoAim, SmoothTurnSwingsAboutTheAim) {
    Smile s = smileAt(100, 100, 90, 5);
    const short expectedValues[] = {85, 90, 85, 90};
    for (short e : expectedValues) {
        s.mudaDirecaoSmooth();
        EXPECT_EQ(s.getDirecao(), e);
    }
}

TEST(ObjetoAim, SmoothTurnComparesPlainlyAndDoesNotWrap) {
    // From 350 towards 10 the turn goes the long way, down through 345.
    Smile s = smileAt(100, 100, 350, 5);
    s.apontar(200, 118);  // about 10 degrees
    ASSERT_EQ(TestAccess::aponta(s), 10);
    s.mudaDirecaoSmooth();
    EXPECT_EQ(s.getDirecao(), 345);
    Smile t = smileAt(100, 100, 357, 5);
    t.apontar(10000, 100.5f);  // aim 0, below 357
    t.mudaDirecaoSmooth();
    EXPECT_EQ(t.getDirecao(), 352);
    Smile u = smileAt(100, 100, 2, 5);
    u.apontar(100.5f, 10000);  // nearly straight down: 89
    u.mudaDirecaoSmooth();
    EXPECT_EQ(u.getDirecao(), 7);
    Smile v = smileAt(100, 100, 2, 5);
    v.apontar(200, 101);  // 0 < 2: turns down below 0 without wrapping
    v.mudaDirecaoSmooth();
    EXPECT_EQ(v.getDirecao(), -3);
}

TEST(ObjetoMovement, StepIsSpeedTimesDirection) {
    Smile s(100, 100, 4, 0, 10, 0);
    s.movimenta(0.5f, -0.25f);
    EXPECT_FLOAT_EQ(s.getX(), 102);
    EXPECT_FLOAT_EQ(s.getY(), 99);
    EXPECT_EQ(s.getXA(), 100);
    EXPECT_EQ(s.getYA(), 100);
}

TEST(ObjetoMovement, ZeroSpeedStillWraps) {
    Smile s(700, 50, 0, 0, 10, 0);
    s.movimenta(1, 0);
    EXPECT_EQ(s.getX(), -30);
    EXPECT_EQ(s.getY(), 480);
}

TEST(ObjetoMovement, RunsOffTheEdgesAndReenters) {
    Smile s(638, 478, 5, 0, 10, 0);
    s.movimenta(1, 1);
    EXPECT_EQ(s.getX(), -30);
    EXPECT_EQ(s.getY(), 70);
}

TEST(CocoJump, WaitsItsCountThenJumps) {
    Coco c(200, 200, 0, 0, 10, 0);
    TestAccess::tempoMov(c) = 3;
    for (int i = 0; i < 3; ++i) {
        c.mover();
        EXPECT_EQ(c.getX(), 200);
        EXPECT_EQ(c.getY(), 200);
    }
    srand(42);
    const int rx = rand(), ry = rand(), rt = rand();
    srand(42);
    c.mover();
    EXPECT_EQ(c.getX(), rx % 580 + 40);
    EXPECT_EQ(c.getY(), ry % 400 + 80);
    EXPECT_EQ(TestAccess::tempoMov(c), rt % 200 + 200);
    // The previous position is left for the level to see the jump.
    EXPECT_EQ(c.getXA(), 200);
    EXPECT_EQ(c.getYA(), 200);
}

TEST(CocoJump, FirstCallJumpsAtOnceAndLandsInBounds) {
    Coco c(200, 200, 0, 0, 10, 0);
    c.mover();
    EXPECT_NE(c.getX(), 200);
    srand(7);
    for (int i = 0; i < 20000; ++i) {
        TestAccess::tempoMov(c) = 0;
        c.mover();
        ASSERT_GE(c.getX(), 40);
        ASSERT_LE(c.getX(), 619);
        ASSERT_GE(c.getY(), 80);
        ASSERT_LE(c.getY(), 479);
        ASSERT_GE(TestAccess::tempoMov(c), 200);
        ASSERT_LE(TestAccess::tempoMov(c), 399);
    }
}

TEST(GangsterHeading, KeepsHeadingWhileCounting) {
    Gangster g(200, 200, 3, 45, 10, 0);
    TestAccess::tempoDir(g) = 2;
    g.mudarDir();
    g.mudarDir();
    EXPECT_EQ(g.getDirecao(), 45);
    EXPECT_EQ(TestAccess::tempoDir(g), 0);
    srand(5);
    const int rd = rand(), rt = rand();
    srand(5);
    g.mudarDir();
    EXPECT_EQ(g.getDirecao(), rd % 359);
    EXPECT_EQ(TestAccess::tempoDir(g), rt % 200 + 200);
}

TEST(ItenPlace, PlacesInsideItsRange) {
    Iten it(300, 300, 0, 0, 10, 0);
    EXPECT_GE(it.getIcone(), 0);
    EXPECT_LE(it.getIcone(), 4);
    srand(3);
    std::set<short> icons;
    for (int i = 0; i < 20000; ++i) {
        it.mudaPosicao();
        it.mudaIcone();
        ASSERT_GE(it.getX(), 20);
        ASSERT_LE(it.getX(), 619);
        ASSERT_GE(it.getY(), 80);
        ASSERT_LE(it.getY(), 429);
        icons.insert(it.getIcone());
    }
    EXPECT_EQ(icons, (std::set<short>{0, 1, 2, 3, 4}));
    EXPECT_EQ(it.getXA(), 300);
    EXPECT_EQ(it.getYA(), 300);
}

TEST(ItenPlace, DrawsXThenY) {
    Iten it(300, 300, 0, 0, 10, 0);
    srand(9);
    const int rx = rand(), ry = rand(), ri = rand();
    srand(9);
    it.mudaPosicao();
    it.mudaIcone();
    EXPECT_EQ(it.getX(), rx % 600 + 20);
    EXPECT_EQ(it.getY(), ry % 350 + 80);
    EXPECT_EQ(it.getIcone(), ri % 5);
}

}  // namespace
