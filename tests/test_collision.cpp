// Collisions: the circle and box tests, the wall bounce, and every response
// of one collision step with its effect on the remaining clock.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <cstdlib>

namespace {

using test::Level;

class Collision : public test::WithLevel {
protected:
    // A level of 8 walls, all of them out of the way unless a test says otherwise.
    void SetUp() override { level = test::neutralLevel(3); }
    void build() { ASSERT_TRUE(setUpLevel(3, level)); }

    // Places an object at (x, y), having come from (xA, yA).
    static void place(Objeto* o, float x, float y, short direcao, float xA, float yA) {
        o->setX(x);
        o->setY(y);
        o->setXA(xA);
        o->setYA(yA);
        o->setDirecao(direcao);
    }
    static void place(Objeto* o, float x, float y, short direcao = 0) { place(o, x, y, direcao, x, y); }

    Smile* smile() { return TestAccess::smile(mapa); }
    Iten* iten() { return TestAccess::iten(mapa); }
    Coco* coco() { return TestAccess::coco(mapa); }
    Esposa* esposa() { return TestAccess::esposa(mapa); }
    Gangster* gangster() { return TestAccess::gangster(mapa); }
    Ladrao* ladrao() { return TestAccess::ladrao(mapa); }

    Level level;
};

TEST(CollisionPrimitives, CirclesMustOverlapStrictly) {
    Mapa m;
    EXPECT_FALSE(m.colisaoRaio(0, 0, 10, 12, 16, 10));
    EXPECT_EQ(TestAccess::distX(m), -12);
    EXPECT_EQ(TestAccess::distY(m), -16);
    EXPECT_TRUE(m.colisaoRaio(0, 0, 10, 12, 15, 10));
    EXPECT_TRUE(m.colisaoRaio(300, 200, 1, 300, 200, 0));
    EXPECT_FALSE(m.colisaoRaio(300, 200, 0, 300, 200, 0));
}

TEST(CollisionPrimitives, BoxReportsTheLastCornerInside) {
    Mapa m;
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 130, 90, 200, 120), 2);
    EXPECT_EQ(TestAccess::aux(m), 2);
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 90, 90, 120, 120), 1);
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 90, 130, 120, 200), 3);
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 0, 0, 500, 500), 4);
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 110, 110, 120, 120), 0);
    EXPECT_EQ(TestAccess::aux(m), 0);
    EXPECT_EQ(m.colisaoCaixa(100, 100, 140, 140, 140, 140, 200, 200), 0);
}

TEST(CollisionPrimitives, WallIsAnOpenRectangle) {
    Mapa m;
    Parede p;
    p.iniciaParede(100, 200, 300, 220);
    auto inside = [&](float px, float py) {
        return m.colisaoCaixa(px, py, px, py, p.getX(), p.getY(), p.getX2(), p.getY2()) != 0;
    };
    EXPECT_TRUE(inside(101, 201));
    EXPECT_TRUE(inside(299, 219));
    EXPECT_FALSE(inside(100, 210));
    EXPECT_FALSE(inside(300, 210));
    EXPECT_FALSE(inside(150, 200));
    EXPECT_FALSE(inside(150, 220));
    Parede inverted;
    inverted.iniciaParede(300, 200, 100, 220);
    for (float px = 0; px < 400; px += 7)
        EXPECT_EQ(m.colisaoCaixa(px, 210, px, 210, inverted.getX(), inverted.getY(), inverted.getX2(), inverted.getY2()), 0);
}

TEST(CollisionPrimitives, BounceIsAQuarterTurn) {
    Mapa m;
    // Coming down onto a wide wall's top face.
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 90, 100, 80, 300, 120), 0);
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 45, 100, 80, 300, 120), -45);
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 60, 100, 80, 300, 120), -30);
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 135, 100, 80, 300, 120), 225);
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 300, 100, 80, 300, 120), 390);
    EXPECT_EQ(m.bounce(150, 50, 190, 90, 200, 100, 80, 300, 120), 110);
    // Only the right side within the wall's width counts too.
    EXPECT_EQ(m.bounce(70, 50, 110, 90, 90, 100, 80, 300, 120), 0);
    // Coming at a left or right face.
    EXPECT_EQ(m.bounce(30, 150, 70, 190, 0, 80, 100, 200, 300), 90);
    EXPECT_EQ(m.bounce(30, 150, 70, 190, 180, 80, 100, 200, 300), 270);
    EXPECT_EQ(m.bounce(30, 150, 70, 190, 120, 80, 100, 200, 300), 30);
    EXPECT_EQ(m.bounce(30, 150, 70, 190, 300, 80, 100, 200, 300), 210);
    // Diagonally off a corner: neither side overlapped.
    EXPECT_EQ(m.bounce(30, 30, 70, 70, 45, 80, 100, 200, 300), 45);
}

TEST_F(Collision, CollectingTheItemAddsTwoSecondsAndMovesIt) {
    build();
    place(smile(), 200, 200);
    place(iten(), 205, 205);
    srand(17);
    const int rx = rand(), ry = rand(), ri = rand();
    srand(17);
    mapa.colisao();
    EXPECT_EQ(iten()->getX(), rx % 600 + 20);
    EXPECT_EQ(iten()->getY(), ry % 350 + 80);
    EXPECT_EQ(iten()->getIcone(), ri % 5);
    EXPECT_EQ(mapa.getSegD(), 22);
}

TEST_F(Collision, ItemRetriesUntilClearOfWalls) {
    level.paredes[5] = {-100, 0, 330, 600};  // every place left of 330 has a corner in it
    build();
    int retries = 0;
    for (unsigned seed = 1; seed <= 50; ++seed) {
        place(smile(), 600, 450);
        place(iten(), 600, 450);
        srand(seed);
        if (rand() % 600 + 20 < 330) ++retries;
        srand(seed);
        mapa.colisao();
        EXPECT_GE(iten()->getX(), 330) << seed;
    }
    EXPECT_GT(retries, 0);  // some seeds did need another pass
}

TEST_F(Collision, ItemPlacementGivesUpWithoutFreeRoom) {
    // Every place of the item has a corner in the wall; the player stands below it.
    level.paredes[0] = {-100, 0, 800, 470};
    build();
    place(smile(), 600, 475);
    place(iten(), 600, 475);
    srand(4);
    for (int i = 0; i < 2 * 1000 + 1; ++i) rand();  // 1000 places and a picture
    const int next = rand();
    srand(4);
    mapa.colisao();
    EXPECT_EQ(rand(), next);
    EXPECT_GE(iten()->getX(), 20);
    EXPECT_LE(iten()->getY(), 429);
    EXPECT_EQ(mapa.getSegD(), 22);
}

TEST_F(Collision, ItemAndGangsterInOneUpdateNetEighteenLost) {
    build();
    place(smile(), 200, 200, 30, 195, 195);
    place(iten(), 205, 200);
    place(gangster(), 200, 210, 100);
    gangster()->setExiste(true);
    esposa()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(mapa.getSegD(), 20 + 2 - 20);
}

TEST_F(Collision, EsposaContactSwapsHeadingsAndPutsBothBack) {
    build();
    place(smile(), 200, 200, 30, 190, 195);
    place(esposa(), 205, 200, 100, 210, 205);
    esposa()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(smile()->getDirecao(), 210);
    EXPECT_EQ(esposa()->getDirecao(), 30);
    EXPECT_EQ(smile()->getX(), 190);
    EXPECT_EQ(smile()->getY(), 195);
    EXPECT_EQ(esposa()->getX(), 210);
    EXPECT_EQ(esposa()->getY(), 205);
    EXPECT_EQ(mapa.getSegD(), 10);
}

TEST_F(Collision, EsposaIsMetBeforeGangster) {
    build();
    place(smile(), 200, 200, 30, 198, 200);
    place(esposa(), 200, 215, 100);
    place(gangster(), 198, 185, 300);  // touches the player's put-back place too, not the Esposa
    esposa()->setExiste(true);
    gangster()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(esposa()->getDirecao(), 30);
    EXPECT_EQ(gangster()->getDirecao(), 210);
    EXPECT_EQ(smile()->getDirecao(), 30);
    EXPECT_EQ(mapa.getSegD(), 20 - 10 - 20);
}

TEST_F(Collision, EachEnemyCostsItsPenalty) {
    struct Case {
        Inimigo* inimigo;
        int loss;
    };
    build();
    const Case cases[] = {{gangster(), 20}, {ladrao(), 5}, {coco(), 10}};
    for (const Case& c : cases) {
        ASSERT_TRUE(mapa.inicia(3));
        place(smile(), 200, 200, 30, 190, 195);
        place(c.inimigo, 205, 200, 100, 210, 205);
        c.inimigo->setExiste(true);
        mapa.colisao();
        EXPECT_EQ(mapa.getSegD(), 20 - c.loss);
        EXPECT_EQ(smile()->getDirecao(), 210);
        EXPECT_EQ(smile()->getX(), 190);
    }
}

TEST_F(Collision, CocoStaysAndKeepsItsHeading) {
    build();
    place(smile(), 200, 200, 30, 190, 195);
    place(coco(), 205, 200, 100, 300, 300);
    coco()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(coco()->getX(), 205);
    EXPECT_EQ(coco()->getY(), 200);
    EXPECT_EQ(coco()->getDirecao(), 100);
    EXPECT_EQ(smile()->getDirecao(), 210);
    EXPECT_EQ(smile()->getY(), 195);
}

TEST_F(Collision, AbsentEnemiesAreNeverTested) {
    level.paredes[1] = {100, 350, 400, 450};
    build();
    place(smile(), 200, 200, 30, 190, 195);
    Inimigo* all[] = {coco(), esposa(), gangster(), ladrao()};
    for (Inimigo* i : all) place(i, 205, 200, 100, 210, 205);
    place(gangster(), 200, 380, 90, 200, 330);  // deep in the wall
    place(esposa(), 150, 380, 90, 150, 330);
    mapa.colisao();
    EXPECT_EQ(mapa.getSegD(), 20);
    EXPECT_EQ(smile()->getX(), 200);
    EXPECT_EQ(smile()->getDirecao(), 30);
    EXPECT_EQ(gangster()->getY(), 380);
    EXPECT_EQ(gangster()->getDirecao(), 90);
    EXPECT_EQ(esposa()->getY(), 380);
}

TEST_F(Collision, PlayerBouncesOffEveryWallItStillTouches) {
    // The move put the player into wall 0; put back, it still has a corner in wall 1.
    level.paredes[0] = {150, 230, 400, 300};
    level.paredes[1] = {100, 160, 400, 180};
    build();
    place(smile(), 200, 200, 90, 200, 130);
    mapa.colisao();
    // 90 down onto wall 0's top face: 0; then at wall 1 (top face again): -90.
    EXPECT_EQ(smile()->getDirecao(), 270);
    EXPECT_EQ(smile()->getX(), 200);
    EXPECT_EQ(smile()->getY(), 130);
    EXPECT_EQ(mapa.getSegD(), 16);
}

TEST_F(Collision, PlayerWallHitTurnsDownwardToRight) {
    level.paredes[3] = {100, 140, 300, 200};
    build();
    place(smile(), 150, 105, 90, 150, 95);
    mapa.colisao();
    EXPECT_EQ(smile()->getDirecao(), 0);
    EXPECT_EQ(smile()->getY(), 95);
    EXPECT_EQ(mapa.getSegD(), 18);
}

TEST_F(Collision, LadraoTakesTheItemForFree) {
    build();
    place(ladrao(), 400, 300, 0, 395, 300);
    place(iten(), 405, 300, 0, 405, 300);  // saved at the start of the update, as in play
    ladrao()->setExiste(true);
    srand(8);
    const int rx = rand(), ry = rand(), ri = rand();
    srand(8);
    mapa.colisao();
    EXPECT_EQ(iten()->getXA(), 405);
    EXPECT_EQ(iten()->getYA(), 300);
    EXPECT_EQ(iten()->getX(), rx % 600 + 20);
    EXPECT_EQ(iten()->getY(), ry % 350 + 80);
    EXPECT_EQ(iten()->getIcone(), ri % 5);
    EXPECT_EQ(mapa.getSegD(), 20);
    EXPECT_EQ(ladrao()->getX(), 400);
}

TEST_F(Collision, LadraoMeetingEsposaPutsBothBack) {
    build();
    place(ladrao(), 400, 300, 20, 390, 290);
    place(esposa(), 405, 300, 250, 415, 310);
    ladrao()->setExiste(true);
    esposa()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(ladrao()->getDirecao(), 200);
    EXPECT_EQ(esposa()->getDirecao(), 20);
    EXPECT_EQ(ladrao()->getX(), 390);
    EXPECT_EQ(esposa()->getX(), 415);
}

TEST_F(Collision, LadraoMeetingGangsterPutsOnlyItselfBack) {
    build();
    place(ladrao(), 400, 300, 20, 390, 290);
    place(gangster(), 405, 300, 250, 415, 310);
    ladrao()->setExiste(true);
    gangster()->setExiste(true);
    esposa()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(ladrao()->getDirecao(), 200);
    EXPECT_EQ(gangster()->getDirecao(), 20);
    EXPECT_EQ(ladrao()->getX(), 390);
    EXPECT_EQ(gangster()->getX(), 405);
}

TEST_F(Collision, EsposaMeetingGangsterPutsOnlyEsposaBack) {
    build();
    place(esposa(), 400, 300, 20, 390, 290);
    place(gangster(), 405, 300, 250, 415, 310);
    gangster()->setExiste(true);
    esposa()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(esposa()->getDirecao(), 200);
    EXPECT_EQ(gangster()->getDirecao(), 20);
    EXPECT_EQ(esposa()->getX(), 390);
    EXPECT_EQ(gangster()->getX(), 405);
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(Collision, LadraoBouncesWithItsTallerBoxAndNoCost) {
    level.paredes[7] = {100, 150, 200, 300};
    build();
    // Only the taller box's bottom lies within the wall's height: a side hit.
    place(ladrao(), 70, 120, 0, 40, 100);
    ladrao()->setExiste(true);
    mapa.colisao();
    EXPECT_EQ(ladrao()->getDirecao(), 90);
    EXPECT_EQ(ladrao()->getX(), 40);
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(Collision, GangsterAndEsposaBounceOffWallsWithNoCost) {
    level.paredes[7] = {100, 150, 200, 300};
    build();
    esposa()->setExiste(true);
    gangster()->setExiste(true);
    place(gangster(), 70, 120, 0, 40, 100);  // 40 tall box: neither side overlapped
    place(esposa(), 150, 115, 90, 150, 100);
    mapa.colisao();
    EXPECT_EQ(gangster()->getDirecao(), 0);
    EXPECT_EQ(gangster()->getX(), 40);
    EXPECT_EQ(esposa()->getDirecao(), 0);
    EXPECT_EQ(esposa()->getY(), 100);
    EXPECT_EQ(mapa.getSegD(), 20);
}

}  // namespace

namespace {

// The update's report: what happened and the net change to the remaining clock.
TEST_F(Collision, ReportNamesWhatTheUpdateDid) {
    build();
    gangster()->setExiste(true);
    esposa()->setExiste(true);
    mapa.movimentaObjetos();  // starts the report afresh
    place(smile(), 200, 200, 30, 195, 195);
    place(iten(), 205, 200);
    place(gangster(), 200, 210, 100);
    mapa.colisao();
    const UpdateReport& r = mapa.report();
    EXPECT_TRUE(r.itemCollected);
    EXPECT_TRUE(r.hitBy[ENEMY_GANGSTER]);
    EXPECT_FALSE(r.hitBy[ENEMY_ESPOSA] || r.hitBy[ENEMY_COCO] || r.hitBy[ENEMY_LADRAO]);
    EXPECT_EQ(r.secondsChange, 2 - 20);
    EXPECT_EQ(r.wallBumps, 0);

    mapa.movimentaObjetos();
    EXPECT_FALSE(mapa.report().itemCollected) << "each update starts a new report";
}

TEST_F(Collision, ReportCountsWallsAndEachEnemy) {
    level.paredes[0] = {150, 230, 400, 300};
    level.paredes[1] = {100, 160, 400, 180};
    build();
    place(smile(), 200, 200, 90, 200, 130);
    mapa.colisao();
    EXPECT_EQ(mapa.report().wallBumps, 2);
    EXPECT_EQ(mapa.report().secondsChange, -4);

    const struct {
        Inimigo* inimigo;
        Enemy name;
        short loss;
    } cases[] = {{coco(), ENEMY_COCO, 10}, {esposa(), ENEMY_ESPOSA, 10}, {ladrao(), ENEMY_LADRAO, 5},
                 {gangster(), ENEMY_GANGSTER, 20}};
    for (const auto& c : cases) {
        ASSERT_TRUE(mapa.inicia(3));
        mapa.movimentaObjetos();
        place(smile(), 500, 100, 30, 490, 95);  // clear of the walls and the item
        place(c.inimigo, 505, 100, 100, 510, 105);
        c.inimigo->setExiste(true);
        mapa.colisao();
        for (int e = 0; e < ENEMY_COUNT; ++e) EXPECT_EQ(mapa.report().hitBy[e], e == c.name) << c.name;
        EXPECT_EQ(mapa.report().secondsChange, -c.loss);
        c.inimigo->setExiste(false);
    }
}

TEST_F(Collision, ReportNamesTheTheftButChargesNothing) {
    build();
    place(smile(), 500, 400);
    place(ladrao(), 200, 200);
    place(iten(), 205, 200);
    ladrao()->setExiste(true);
    mapa.colisao();
    EXPECT_TRUE(mapa.report().itemStolen);
    EXPECT_FALSE(mapa.report().itemCollected);
    EXPECT_EQ(mapa.report().secondsChange, 0);
}

// The Coco lands on the face, or comes onto the field where the face stands:
// no cost while they keep touching, the first touch after they parted costs
// as ever. Seeded, so the landing place is known before the jump.
TEST(CocoLanding, CostsNothingUntilTheyPart) {
    srand(7);
    const short x = rand() % 580 + 40, y = rand() % 400 + 80;
    // The face one step short of the landing place, heading right; the others
    // out of the way, and no walls.
    LevelNumbers n{{short(x - 5), y, 5, 0, 10, 0}, {short(x < 320 ? 600 : 40), 100, 0, 0, 10, 0},
                   {300, 300, 0, 0, 10, 0}, {}, {}, {}, {}};
    Mapa mapa;
    mapa.setUp(n);
    Smile* smile = TestAccess::smile(mapa);
    Coco* coco = TestAccess::coco(mapa);
    coco->setExiste(true);
    srand(7);  // the set-up seeded from the clock
    // Lands on the face, touches while the face runs through, parts at 20
    // pixels; then the face turns back into it.
    const int cost[] = {0, 0, 0, 0, 0, -10};
    for (int u = 0; u < 6; ++u) {
        if (u == 5) smile->setDirecao(180);
        mapa.update();
        EXPECT_EQ(mapa.report().secondsChange, cost[u]) << "update " << u + 1;
        EXPECT_EQ(mapa.report().hitBy[ENEMY_COCO], cost[u] != 0) << "update " << u + 1;
    }
    ASSERT_EQ(coco->getX(), x);
    ASSERT_EQ(coco->getY(), y);

    // Coming onto the field under a face that stands still.
    n.smile = {300, 300, 0, 0, 10, 0};
    mapa.setUp(n);
    TestAccess::tempoMov(*coco) = 100;
    mapa.setSeg(5);
    for (int u = 0; u < 3; ++u) mapa.update();
    EXPECT_TRUE(coco->getExiste());
    EXPECT_EQ(mapa.getSegD(), 19) << "nothing taken";
    smile->setX(200);
    mapa.update();
    smile->setX(300);
    mapa.update();
    EXPECT_TRUE(mapa.report().hitBy[ENEMY_COCO]);
}

}  // namespace
