// The level: direction tables, set-up from level files and its reuse,
// steering, movement with its position history, and the timeline.
#include <gtest/gtest.h>

#include "level/mapa.h"
#include "tests/test_access.h"

#include <cmath>
#include <cstdlib>

namespace {

using teste::Nivel;

using LevelTest = teste::ComNivel;

TEST(MapaTables, BuiltFromFourDecimalPi) {
    Mapa m;
    EXPECT_EQ(AcessoTeste::posicaoX(m, 0), 1.0f);
    EXPECT_EQ(AcessoTeste::posicaoY(m, 0), 0.0f);
    EXPECT_EQ(AcessoTeste::posicaoY(m, 90), 1.0f);
    EXPECT_EQ(AcessoTeste::posicaoX(m, 180), -1.0f);
    EXPECT_EQ(AcessoTeste::posicaoY(m, 270), -1.0f);
    EXPECT_NEAR(AcessoTeste::posicaoX(m, 90), 0.0000463f, 0.0000005f);
    EXPECT_GT(AcessoTeste::posicaoX(m, 90), 0.0f);
    EXPECT_NEAR(AcessoTeste::posicaoY(m, 180), 0.0000926f, 0.0000005f);
    EXPECT_NEAR(AcessoTeste::posicaoX(m, 270), -0.000139f, 0.000001f);
    const float rad = 3.1415f / 180;
    for (int d = 0; d < 360; ++d) {
        EXPECT_EQ(AcessoTeste::posicaoX(m, d), static_cast<float>(std::cos(d * static_cast<double>(rad)))) << d;
        EXPECT_EQ(AcessoTeste::posicaoY(m, d), static_cast<float>(std::sin(d * static_cast<double>(rad)))) << d;
    }
}

TEST(MapaTables, EveryHeadingIndexesInRange) {
    const short casos[] = {0, 359, 360, -1, 362, -3, 720, -360, -361, 32767, -32768};
    for (short d : casos) {
        short i = Mapa::indiceDirecao(d);
        EXPECT_GE(i, 0) << d;
        EXPECT_LE(i, 359) << d;
        EXPECT_EQ((i - d) % 360, 0) << d;
    }
}

TEST_F(LevelTest, SetUpTakesTheFilesNumbers) {
    Nivel n = teste::nivelNeutro(1);
    n.objetos[0] = {150, 250, 6, 45, 12, 3};
    n.paredes[2] = {200, 210, 300, 220};
    ASSERT_TRUE(prepara(1, n));
    Smile s = mapa.getSmile();
    EXPECT_EQ(s.getX(), 150);
    EXPECT_EQ(s.getY(), 250);
    EXPECT_EQ(s.getVelocidade(), 6);
    EXPECT_EQ(s.getDirecao(), 45);
    EXPECT_EQ(s.getRaio(), 12);
    EXPECT_EQ(AcessoTeste::smooth(s), 3);
    EXPECT_EQ(mapa.getIten().getX(), n.objetos[1][0]);
    EXPECT_EQ(mapa.getLadrao().getY(), n.objetos[5][1]);
    EXPECT_EQ(AcessoTeste::smooth(mapa.getLadrao()), n.objetos[5][5]);
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
    Nivel n = teste::nivelNeutro(2);
    ASSERT_TRUE(prepara(2, n));
    Smile* s = AcessoTeste::smile(mapa);
    Esposa* e = AcessoTeste::esposa(mapa);
    Iten* it = AcessoTeste::iten(mapa);
    for (int i = 0; i < 500; ++i) {
        mapa.movimentaObjetos();
        mapa.timeLine();
        mapa.contaTempo();
    }
    ASSERT_TRUE(mapa.getEsposa().getExiste());
    n.objetos[3][5] = 40;  // a new turn step has no effect on a reused object
    ASSERT_TRUE(prepara(2, n));
    EXPECT_EQ(AcessoTeste::smile(mapa), s);
    EXPECT_EQ(AcessoTeste::esposa(mapa), e);
    EXPECT_EQ(AcessoTeste::iten(mapa), it);
    EXPECT_EQ(AcessoTeste::smooth(*e), 5);
    EXPECT_EQ(e->getX(), n.objetos[3][0]);
    EXPECT_EQ(e->getY(), n.objetos[3][1]);
    EXPECT_EQ(e->getDirecao(), n.objetos[3][3]);
    EXPECT_EQ(s->getX(), n.objetos[0][0]);
    EXPECT_EQ(s->getVelocidade(), n.objetos[0][2]);
    EXPECT_FALSE(e->getExiste());
    EXPECT_FALSE(mapa.getCoco().getExiste());
    EXPECT_EQ(mapa.getSeg(), 1);
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(LevelTest, WallCountFollowsLevel) {
    ASSERT_TRUE(prepara(3, teste::nivelNeutro(3)));
    EXPECT_EQ(mapa.getParedes(), 8);
    ASSERT_TRUE(prepara(2, teste::nivelNeutro(2)));
    EXPECT_EQ(mapa.getParedes(), 2);
    Nivel n = teste::nivelNeutro(3);
    for (short j = 0; j < 8; ++j) n.paredes[j] = {short(10 * j), short(100 + j), short(10 * j + 5), short(200 + j)};
    ASSERT_TRUE(prepara(3, n));
    ASSERT_EQ(mapa.getParedes(), 8);
    for (short j = 0; j < 8; ++j) {
        EXPECT_EQ(mapa.getParede(j).getX(), 10 * j);
        EXPECT_EQ(mapa.getParede(j).getY2(), 200 + j);
    }
}

TEST_F(LevelTest, OutOfBoundsStartKeptOnCreateWrappedOnReuse) {
    Nivel n = teste::nivelNeutro(1);
    n.objetos[0] = {700, 50, 5, 400, 10, 0};
    ASSERT_TRUE(prepara(1, n));
    EXPECT_EQ(mapa.getSmile().getX(), 700);
    EXPECT_EQ(mapa.getSmile().getY(), 50);
    EXPECT_EQ(mapa.getSmile().getDirecao(), 400);
    ASSERT_TRUE(prepara(1, n));
    EXPECT_EQ(mapa.getSmile().getX(), -30);
    EXPECT_EQ(mapa.getSmile().getY(), 480);
    EXPECT_EQ(mapa.getSmile().getDirecao(), 40);
}

TEST_F(LevelTest, ExtraNumbersAndAnyWhitespaceAreFine) {
    Nivel n = teste::nivelNeutro(2);
    n.objetos[0][0] = -12;
    teste::escreveArquivo("02.txt", "\n\n  " + teste::textoNivel(n) + "\r\n 1 2 3 junk");
    ASSERT_TRUE(mapa.inicia(2));
    EXPECT_EQ(mapa.getSmile().getX(), -12);
}

TEST_F(LevelTest, BadFilesRefusedAndLevelLeftAsItWas) {
    EXPECT_FALSE(mapa.inicia(1));  // no file at all, nothing created yet
    EXPECT_FALSE(mapa.inicia(0));
    EXPECT_FALSE(mapa.inicia(4));
    EXPECT_EQ(levelFilePath(3), "03.txt");
    EXPECT_EQ(levelFilePath(9), "");

    Nivel n = teste::nivelNeutro(1);
    ASSERT_TRUE(prepara(1, n));
    mapa.setSegD(7);
    // One number short of the last wall.
    std::string texto = teste::textoNivel(n);
    texto = texto.substr(0, texto.find_last_of("0123456789") - 1);
    teste::escreveArquivo("01.txt", texto);
    Nivel outro = teste::nivelNeutro(1);
    EXPECT_FALSE(mapa.inicia(1));
    // Not a number, a number too big for 16 bits.
    outro.objetos[0][0] = 10;
    teste::escreveArquivo("01.txt", "10 20 x" + teste::textoNivel(outro));
    EXPECT_FALSE(mapa.inicia(1));
    teste::escreveArquivo("01.txt", "40000 " + teste::textoNivel(outro));
    EXPECT_FALSE(mapa.inicia(1));
    EXPECT_EQ(mapa.getSegD(), 7);
    EXPECT_EQ(mapa.getSmile().getX(), n.objetos[0][0]);
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
    const std::string here = pasta.caminho() + "/01.txt ";
    ASSERT_FALSE(loadLevel(1, n, &missing));
    EXPECT_EQ(levelProblemMessage(missing).rfind(here, 0), 0u) << levelProblemMessage(missing);
    EXPECT_NE(levelProblemMessage(missing).find("run lumo from the folder that holds Data/"), std::string::npos);
    teste::escreveArquivo("01.txt", forty);
    ASSERT_FALSE(loadLevel(1, n, &tooShort));
    EXPECT_EQ(levelProblemMessage(tooShort), here + "is too short: 40 numbers where level 1 needs 52");
}

TEST_F(LevelTest, TurnKeysTurnOnHeldState) {
    Nivel n = teste::nivelNeutro(1);
    n.objetos[0][3] = 350;
    ASSERT_TRUE(prepara(1, n));
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
    ASSERT_TRUE(prepara(1, teste::nivelNeutro(1)));  // heading 0
    key[KEY_LEFT] = 1;
    mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 345);
    key[KEY_LEFT] = 0;
    key[KEY_RIGHT] = 1;
    for (int i = 0; i < 24; ++i) mapa.capturaComando();
    EXPECT_EQ(mapa.getSmile().getDirecao(), 345);
}

TEST_F(LevelTest, OnlyThePlayerMovesWithNoEnemyAndAllPositionsAreSaved) {
    Nivel n = teste::nivelNeutro(1);
    n.objetos[0] = {100, 100, 5, 90, 10, 0};
    ASSERT_TRUE(prepara(1, n));
    Mapa& m = mapa;
    Objeto* todos[] = {AcessoTeste::smile(m), AcessoTeste::iten(m), AcessoTeste::coco(m),
                       AcessoTeste::esposa(m), AcessoTeste::gangster(m), AcessoTeste::ladrao(m)};
    for (Objeto* o : todos) o->setXA(-999);
    float antes[6][2];
    for (int i = 0; i < 6; ++i) antes[i][0] = todos[i]->getX(), antes[i][1] = todos[i]->getY();
    mapa.movimentaObjetos();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(todos[i]->getXA(), antes[i][0]) << i;
        EXPECT_EQ(todos[i]->getYA(), antes[i][1]) << i;
        if (i > 0) {
            EXPECT_EQ(todos[i]->getX(), antes[i][0]) << i;
            EXPECT_EQ(todos[i]->getY(), antes[i][1]) << i;
        }
    }
    EXPECT_FLOAT_EQ(mapa.getSmile().getX(), static_cast<float>(100 + 5 * static_cast<double>(AcessoTeste::posicaoX(m, 90))));
    EXPECT_EQ(mapa.getSmile().getY(), 105);
}

TEST_F(LevelTest, EsposaAimsWhereThePlayerNowIs) {
    Nivel n = teste::nivelNeutro(1);
    // The player moves from straight right of the Esposa (no aim) to below-right.
    n.objetos[0] = {300, 200, 10, 90, 1, 0};
    n.objetos[3] = {200, 200, 0, 10, 1, 5};
    ASSERT_TRUE(prepara(1, n));
    AcessoTeste::esposa(mapa)->setExiste(true);
    mapa.movimentaObjetos();
    Esposa e = mapa.getEsposa();
    EXPECT_EQ(AcessoTeste::aponta(e), static_cast<short>(std::atan(10.0f / 100.0f) / (3.1415 / 180)));
    EXPECT_EQ(e.getDirecao(), 10 - 5);  // aim 5 is not above 10: turns down
}

TEST_F(LevelTest, HeadingOutsideTableUsesWrappedEntry) {
    Nivel n = teste::nivelNeutro(1);
    // The player far right and a little above: the aim comes out at 359.
    n.objetos[0] = {600, 196, 0, 0, 1, 0};
    n.objetos[3] = {200, 200, 4, 357, 1, 5};
    ASSERT_TRUE(prepara(1, n));
    AcessoTeste::smile(mapa)->setY(196.5f);
    Esposa* e = AcessoTeste::esposa(mapa);
    e->setExiste(true);
    mapa.movimentaObjetos();
    ASSERT_EQ(AcessoTeste::aponta(*e), 359);
    EXPECT_EQ(e->getDirecao(), 362);
    EXPECT_FLOAT_EQ(e->getX(), static_cast<float>(200 + 4 * static_cast<double>(AcessoTeste::posicaoX(mapa, 2))));
    EXPECT_FLOAT_EQ(e->getY(), static_cast<float>(200 + 4 * static_cast<double>(AcessoTeste::posicaoY(mapa, 2))));
}

TEST_F(LevelTest, CocoLandingOnAWallChangesNothingButScratch) {
    Nivel n = teste::nivelNeutro(2);
    n.paredes[0] = {-100, -100, 800, 600};  // the whole field: every landing is on it
    ASSERT_TRUE(prepara(2, n));
    Coco* c = AcessoTeste::coco(mapa);
    c->setExiste(true);
    const Smile antes = mapa.getSmile();
    srand(21);
    const int rx = rand(), ry = rand();
    srand(21);
    mapa.movimentaObjetos();
    EXPECT_EQ(c->getX(), rx % 580 + 40);
    EXPECT_EQ(c->getY(), ry % 400 + 80);
    // The circle test of the check ran on the player and the landed Coco.
    EXPECT_EQ(AcessoTeste::distX(mapa), mapa.getSmile().getX() - c->getX());
    EXPECT_EQ(AcessoTeste::distY(mapa), mapa.getSmile().getY() - c->getY());
    EXPECT_EQ(mapa.getSmile().getDirecao(), antes.getDirecao());
    EXPECT_EQ(mapa.getSegD(), 20);
}

TEST_F(LevelTest, EnemiesEnterOnTheTimeline) {
    ASSERT_TRUE(prepara(1, teste::nivelNeutro(1)));
    mapa.setSegD(59);
    mapa.setMinD(5);  // long enough for all four
    int entrada[4] = {0, 0, 0, 0};
    for (int u = 1; u <= 1100; ++u) {
        mapa.movimentaObjetos();
        mapa.timeLine();
        mapa.contaTempo();
        mapa.contaTempoRestante();
        const bool presentes[4] = {mapa.getCoco().getExiste(), mapa.getEsposa().getExiste(),
                                   mapa.getLadrao().getExiste(), mapa.getGangster().getExiste()};
        for (int k = 0; k < 4; ++k) {
            // The report names an entrance on its update and on no other.
            EXPECT_EQ(mapa.report().entered[k], presentes[k] && entrada[k] == 0) << k << " at " << u;
            if (presentes[k] && entrada[k] == 0) entrada[k] = u;
        }
        EXPECT_EQ(mapa.report().speedUp, u % 500 == 0) << u;
    }
    EXPECT_EQ(entrada[0], 125);
    EXPECT_EQ(entrada[1], 435);
    EXPECT_EQ(entrada[2], 745);
    EXPECT_EQ(entrada[3], 1055);
}

TEST_F(LevelTest, SpeedRisesEvery500UpdatesUpTo15) {
    Nivel n = teste::nivelNeutro(1);
    n.objetos[0][2] = 14;
    ASSERT_TRUE(prepara(1, n));
    AcessoTeste::tempo(mapa) = 498;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 14);
    mapa.timeLine();  // tempo 500
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 15);
    AcessoTeste::tempo(mapa) = 999;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 15);
    // tempo wraps from 32767 to -32768; -32500 is a multiple of 500.
    AcessoTeste::smile(mapa)->setVelocidade(5);
    AcessoTeste::tempo(mapa) = 32767;
    mapa.timeLine();
    EXPECT_EQ(AcessoTeste::tempo(mapa), -32768);
    AcessoTeste::tempo(mapa) = -32501;
    mapa.timeLine();
    EXPECT_EQ(mapa.getSmile().getVelocidade(), 6);
}

TEST_F(LevelTest, EveryGameSpeedsUpAtItsOwn500thUpdate) {
    ASSERT_TRUE(prepara(1, teste::nivelNeutro(1)));
    EXPECT_EQ(AcessoTeste::tempo(mapa), 0);
    for (int u = 0; u < 137; ++u) mapa.timeLine();  // a first game ended early
    ASSERT_TRUE(mapa.inicia(1));
    EXPECT_EQ(AcessoTeste::tempo(mapa), 0);
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
