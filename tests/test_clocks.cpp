// The two clocks: elapsed time counting up, remaining time counting down and
// ending the game, with the borrows and carries of penalties and bonuses.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <vector>

namespace {

class Clocks : public test::WithLevel {
protected:
    void SetUp() override { ASSERT_TRUE(setUpLevel(1, test::neutralLevel(1))); }
    void remaining(int min, int seg, int mili) {
        mapa.setMinD(min);
        mapa.setSegD(seg);
        mapa.setMiliD(mili);
    }
};

TEST_F(Clocks, FirstUpdate) {
    mapa.contaTempo();
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getSegD(), 19);
    EXPECT_EQ(mapa.getMiliD(), 30);
    EXPECT_EQ(mapa.getMin(), 0);
    EXPECT_EQ(mapa.getSeg(), 1);
    EXPECT_EQ(mapa.getMili(), 1);
}

TEST_F(Clocks, PlainGameEndsOnUpdate591) {
    int end = 0;
    std::vector<int> ticks;
    for (int u = 1; u <= 1000 && end == 0; ++u) {
        mapa.movimentaObjetos();
        mapa.contaTempo();
        if (mapa.contaTempoRestante()) end = u;
        EXPECT_EQ(mapa.report().timeUp, end == u);
        if (mapa.report().countdownTick) ticks.push_back(mapa.getSegD());
    }
    // One tick for each of the last ten seconds shown, 9 down to 0.
    EXPECT_EQ(ticks, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(end, 591);
    EXPECT_EQ(mapa.getMin(), 0);
    EXPECT_EQ(mapa.getSeg(), 20);
    EXPECT_EQ(mapa.getMili(), 2);
    EXPECT_EQ(mapa.getSegD(), 0);
}

TEST_F(Clocks, ElapsedCarriesIntoMinutesAndStopsAt100) {
    mapa.setSeg(59);
    mapa.setMili(30);
    mapa.contaTempo();
    EXPECT_EQ(mapa.getMin(), 1);
    EXPECT_EQ(mapa.getSeg(), 0);
    EXPECT_EQ(mapa.getMili(), 0);
    mapa.setMin(100);
    mapa.setSeg(59);
    mapa.setMili(30);
    mapa.contaTempo();
    EXPECT_EQ(mapa.getMin(), 100);
    EXPECT_EQ(mapa.getSeg(), 0);
    mapa.setMin(99);
    mapa.setSeg(59);
    mapa.setMili(30);
    mapa.contaTempo();
    EXPECT_EQ(mapa.getMin(), 100);
}

TEST_F(Clocks, ZeroSecondsWithAMinuteLeftBorrows) {
    remaining(1, 0, 0);
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getSegD(), 59);
    EXPECT_EQ(mapa.getMiliD(), 30);
    remaining(1, 0, 5);
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 1);
    EXPECT_EQ(mapa.getSegD(), 0);
    EXPECT_EQ(mapa.getMiliD(), 4);
}

TEST_F(Clocks, PenaltyBelowZeroEndsBeforeAnyBorrow) {
    remaining(0, -5, 0);
    EXPECT_TRUE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getSegD(), -5);
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getMiliD(), -1);
    // Time up whatever the updates within the second hold.
    remaining(0, 0, 25);
    EXPECT_TRUE(mapa.contaTempoRestante());
}

TEST_F(Clocks, PenaltyBorrowsSixtySeconds) {
    remaining(1, 3 - 20, 10);  // 1:03 less 20 s
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getSegD(), 43);
    remaining(2, 5 - 45, 10);  // every penalty at once
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 1);
    EXPECT_EQ(mapa.getSegD(), 20);
    // A penalty and the second counted down in the same update.
    remaining(1, 0 - 2, 0);
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 0);
    EXPECT_EQ(mapa.getSegD(), 57);
}

TEST_F(Clocks, BonusCarriesSixtySeconds) {
    remaining(0, 58 + 2, 10);  // 0:58 and 2 s more
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 1);
    EXPECT_EQ(mapa.getSegD(), 0);
    remaining(1, 59 + 2, 0);  // the bonus and a second counted down
    EXPECT_FALSE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getMinD(), 2);
    EXPECT_EQ(mapa.getSegD(), 0);
}

TEST_F(Clocks, CollisionPenaltyEndsTheGameOnItsUpdate) {
    Smile* s = TestAccess::smile(mapa);
    Gangster* g = TestAccess::gangster(mapa);
    s->setX(200);
    s->setY(200);
    g->setX(205);
    g->setY(200);
    g->setExiste(true);
    TestAccess::esposa(mapa)->setExiste(true);
    mapa.colisao();
    mapa.timeLine();
    mapa.contaTempo();
    EXPECT_TRUE(mapa.contaTempoRestante());
    EXPECT_EQ(mapa.getSegD(), 0);
}

}  // namespace
