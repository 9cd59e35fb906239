// The play screen on a memory screen: which picture is drawn where, what is
// erased, and that a long game leaves no trails.
#include <gtest/gtest.h>

#include "app/jogo.h"
#include "tests/acesso.h"
#include "tests/support.h"

#include <loadpng.h>

#include <cstdlib>

namespace {

struct Tamanho {
    short slot, w, h;
};
// Sprites as large as the rectangles the game erases behind them.
const Tamanho sprites[] = {{10, 40, 40}, {11, 40, 40}, {12, 30, 30}, {13, 45, 40}, {14, 43, 42},
                           {15, 38, 40}, {30, 39, 50}, {31, 39, 50}, {32, 39, 50}, {33, 39, 50},
                           {34, 39, 50}};
const int COR_PAINEL[3] = {200, 30, 30};

class Tela : public ::testing::Test {
protected:
    void SetUp() override {
        teste::iniciaAllegro();
        teste::criaConjuntoImagens();
        for (const Tamanho& t : sprites) {
            const int c = teste::corDoSlot(t.slot);
            salvaCaminhoDoSlot(t.slot, t.w, t.h, c);
        }
        // The panel: an opaque band above y 70, see-through below.
        BITMAP* painel = create_bitmap_ex(32, 640, 480);
        clear_to_color(painel, makeacol32(0, 0, 0, 0));
        rectfill(painel, 0, 0, 639, 69, makeacol32(COR_PAINEL[0], COR_PAINEL[1], COR_PAINEL[2], 255));
        save_png("Data/Imagens/interface.png", painel, nullptr);
        destroy_bitmap(painel);
        // A floor whose every pixel differs from its neighbours', to catch a
        // rectangle restored from the wrong place.
        BITMAP* chao = create_bitmap_ex(32, 640, 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) putpixel(chao, x, y, makecol32(x % 256, y % 256, (x * 7 + y * 3) % 256));
        save_bmp("chao.bmp", chao, nullptr);
        destroy_bitmap(chao);
        ASSERT_TRUE(jogo.getRender().carregaImagens());
        // The JPEG loader rounds; paint the floor into the slot exactly.
        BITMAP* lido = load_bmp("chao.bmp", nullptr);
        blit(lido, jogo.getRender().imagem(20), 0, 0, 0, 0, 640, 480);
        destroy_bitmap(lido);

        teste::escreveArquivo("01.txt", teste::textoNivel(teste::nivelNeutro(1)));
        ASSERT_TRUE(jogo.iniciaJogo(1));
        jogo.desenhaFundo();
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    static void salvaCaminhoDoSlot(short slot, int w, int h, int cor) {
        for (const ArquivoImagem& a : Render::tabela())
            if (a.slot == slot) teste::salvaImagem(a.caminho, w, h, getr32(cor), getg32(cor), getb32(cor));
    }
    Mapa& mapa() { return jogo.getMapa(); }
    bool slotEm(int slot, int x, int y) const {
        return teste::pixel(screen, x, y) == teste::rgbDe(teste::corDoSlot(slot));
    }
    bool chaoEm(int x, int y) {
        return getpixel(screen, x, y) == getpixel(jogo.getRender().imagem(20), x, y);
    }
    bool painelEm(int x, int y) const {
        return teste::pixel(screen, x, y) == (teste::Rgb{COR_PAINEL[0], COR_PAINEL[1], COR_PAINEL[2]});
    }
    // Slots drawn at the five cells of a clock starting at x.
    std::vector<int> relogioEm(int x) const {
        std::vector<int> slots;
        for (int i = 0; i < 5; ++i) {
            int achado = -1;
            for (int s = 50; s <= 71; ++s)
                if (slotEm(s, x + 16 * i + 1, 21)) achado = s;
            slots.push_back(achado);
        }
        return slots;
    }

    teste::PastaTemporaria pasta;
    Jogo jogo;
};

}  // namespace

TEST_F(Tela, RelogiosComOsDigitosDeCadaConjunto) {
    mapa().setMin(7);
    mapa().setSeg(5);
    mapa().setMinD(2);
    mapa().setSegD(30);
    jogo.desenhaTela();
    EXPECT_EQ(relogioEm(400), (std::vector<int>{50, 57, 70, 50, 55}));
    EXPECT_EQ(relogioEm(550), (std::vector<int>{60, 62, 71, 63, 60}));
}

TEST_F(Tela, RelogiosForaDaFaixaFicamNaFaixa) {
    mapa().setMin(100);
    mapa().setSeg(0);
    mapa().setMinD(0);
    mapa().setSegD(-7);  // a penalty in the countdown's last frame
    jogo.desenhaTela();
    EXPECT_EQ(relogioEm(400), (std::vector<int>{59, 59, 70, 50, 50}));
    EXPECT_EQ(relogioEm(550), (std::vector<int>{60, 60, 71, 60, 60}));
    EXPECT_TRUE(slotEm(11, 101, 101));
}

TEST_F(Tela, RostoTristeNosUltimosDezSegundos) {
    mapa().setMinD(0);
    mapa().setSegD(10);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(10, 101, 101));
    mapa().setSegD(9);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(11, 101, 101));
    mapa().setMinD(1);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(10, 101, 101));
}

TEST_F(Tela, IndicadorDeVelocidade) {
    Smile* smile = AcessoTeste::smile(mapa());
    for (short v = 5; v <= 15; ++v) {
        smile->setVelocidade(v);
        jogo.desenhaTela();
        EXPECT_TRUE(slotEm(v == 15 ? 60 : 50 + v - 5, 76, 21)) << "speed " << v;
    }
    for (short v : {4, 16, 26}) {
        smile->setVelocidade(v);
        jogo.desenhaTela();
        EXPECT_TRUE(painelEm(76, 21)) << "speed " << v << " should show no digit";
    }
}

TEST_F(Tela, CicloDeNoveQuadrosDosRelogios) {
    std::vector<int> vistos;
    for (int q = 0; q < 11; ++q) {
        jogo.desenhaTela();
        int achado = -1;
        for (int s = 80; s <= 87; ++s)
            if (slotEm(s, 351, 13) && slotEm(s + 10, 501, 13)) achado = s;
        vistos.push_back(achado);
    }
    // The pause frame draws nothing: the last frame stays on screen.
    EXPECT_EQ(vistos, (std::vector<int>{80, 81, 82, 83, 84, 85, 86, 87, 87, 80, 81}));
}

TEST_F(Tela, InimigoAusenteNemDesenhadoNemApagado) {
    Coco* coco = AcessoTeste::coco(mapa());
    ASSERT_FALSE(coco->getExiste());
    rectfill(screen, 300, 300, 329, 329, makecol32(1, 2, 3));
    jogo.desenhaTela();
    EXPECT_EQ(teste::pixel(screen, 310, 310), (teste::Rgb{1, 2, 3}));
    coco->setExiste(true);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(12, 310, 310));
    coco->setXA(300);
    coco->setYA(300);
    coco->setX(200);
    coco->setY(200);
    jogo.desenhaTela();
    EXPECT_TRUE(chaoEm(310, 310));
    EXPECT_TRUE(slotEm(12, 210, 210));
}

TEST_F(Tela, ObjetoNaBordaEsquerdaRecortado) {
    Smile* smile = AcessoTeste::smile(mapa());
    smile->setX(-30);
    smile->setXA(-30);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(10, 0, 110));
    EXPECT_TRUE(slotEm(10, 9, 110));
    EXPECT_TRUE(chaoEm(10, 110));
    smile->setX(100);
    jogo.desenhaTela();  // erased from its clipped place too
    EXPECT_TRUE(chaoEm(0, 110));
}

TEST_F(Tela, PosicaoTruncadaParaZero) {
    Smile* smile = AcessoTeste::smile(mapa());
    smile->setX(99.9f);
    jogo.desenhaTela();
    EXPECT_TRUE(slotEm(10, 99, 110));
    EXPECT_TRUE(chaoEm(98, 110));
}

TEST_F(Tela, CelulaDoPainelGanhaDoObjetoApagado) {
    Iten* iten = AcessoTeste::iten(mapa());
    iten->setXA(400);
    iten->setYA(10);  // over the elapsed clock, as only a level file could put it
    jogo.limpaTela();
    EXPECT_TRUE(painelEm(401, 21));  // the cell, restored after the object
    EXPECT_TRUE(chaoEm(401, 19));    // above the cell: the bare floor, no overlay
}

TEST_F(Tela, LugarAntigoDoItenApagadoQuandoEleMuda) {
    jogo.desenhaTela();
    ASSERT_TRUE(slotEm(30 + mapa().getIten().getIcone(), 510, 440));
    Iten* iten = AcessoTeste::iten(mapa());
    Smile* smile = AcessoTeste::smile(mapa());
    smile->setX(495);  // the player reaches the item during the next update
    smile->setY(395);
    smile->setDirecao(45);
    const float x0 = iten->getX(), y0 = iten->getY();
    jogo.quadroJogo();
    ASSERT_TRUE(iten->getX() != x0 || iten->getY() != y0) << "the item was not collected";
    const int nx = static_cast<int>(iten->getX()), ny = static_cast<int>(iten->getY());
    auto dentroDoNovo = [&](int x, int y) { return x >= nx && x < nx + 39 && y >= ny && y < ny + 50; };
    const int px = static_cast<int>(smile->getX()), py = static_cast<int>(smile->getY());
    auto dentroDoSmile = [&](int x, int y) { return x >= px && x < px + 40 && y >= py && y < py + 50; };
    for (int y = 400; y < 450; y += 3)
        for (int x = 500; x < 539; x += 3)
            if (!dentroDoNovo(x, y) && !dentroDoSmile(x, y)) {
                EXPECT_TRUE(chaoEm(x, y)) << x << "," << y;
            }
}

TEST_F(Tela, ItenLevadoDuasVezesNoMesmoQuadroNaoDeixaRastro) {
    jogo.desenhaTela();
    Iten* iten = AcessoTeste::iten(mapa());
    Smile* smile = AcessoTeste::smile(mapa());
    Ladrao* ladrao = AcessoTeste::ladrao(mapa());
    const int x0 = static_cast<int>(iten->getX()), y0 = static_cast<int>(iten->getY());
    ASSERT_TRUE(slotEm(30 + iten->getIcone(), x0 + 1, y0 + 1));
    // The player takes the item; the thief waits where it lands and takes it again.
    srand(11);
    const int x1 = rand() % 600 + 20, y1 = rand() % 350 + 80;
    srand(11);
    smile->setX(x0 - 5);
    smile->setY(y0 - 5);
    smile->setDirecao(0);
    ladrao->setExiste(true);
    ladrao->setVelocidade(0);
    ladrao->setX(x1);
    ladrao->setY(y1);
    jogo.quadroJogo();
    ASSERT_TRUE(iten->getX() != x1 || iten->getY() != y1) << "the thief did not take the item";
    // Where the item stood last frame, clear of the sprites drawn now, the floor shows.
    const int px = static_cast<int>(smile->getX()), py = static_cast<int>(smile->getY());
    for (int y = y0 + 45; y < y0 + 50; ++y)
        for (int x = x0; x < x0 + 39; ++x)
            if (!(x >= px && x < px + 40 && y >= py && y < py + 40)) {
                EXPECT_TRUE(chaoEm(x, y)) << "stale item pixel at " << x << "," << y;
            }
}

// A long game with every enemy on the field: outside the sprites drawn this
// frame and the panel band, the screen must show the bare floor.
TEST_F(Tela, PartidaLongaSemRastros) {
    const char* nivel =
        "300 240 5 0 18 0   100 100 0 0 18 0   500 400 0 0 14 0\n"
        "80 420 3 0 18 5    560 120 3 90 18 0  560 420 3 180 18 5\n"
        "150 200 250 220   400 300 420 400   -5 -5 -6 -6   -5 -5 -6 -6\n";
    teste::escreveArquivo("01.txt", nivel);
    ASSERT_TRUE(jogo.iniciaJogo(1));
    jogo.desenhaFundo();
    srand(7);
    int erros = 0;
    for (int q = 0; q < 1400 && erros < 5; ++q) {
        key[KEY_RIGHT] = (q / 40) % 3 == 0;
        key[KEY_LEFT] = (q / 40) % 3 == 1;
        if (mapa().getSegD() < 15) mapa().setSegD(40);  // keep the game going
        jogo.quadroJogo();
        struct Ret {
            int x, y, w, h;
        };
        std::vector<Ret> atuais;
        auto junta = [&](const Objeto& o, int w, int h) {
            atuais.push_back({static_cast<int>(o.getX()), static_cast<int>(o.getY()), w, h});
        };
        junta(mapa().getSmile(), 40, 40);
        junta(mapa().getIten(), 39, 50);
        if (mapa().getCoco().getExiste()) junta(mapa().getCoco(), 30, 30);
        if (mapa().getEsposa().getExiste()) junta(mapa().getEsposa(), 45, 40);
        if (mapa().getGangster().getExiste()) junta(mapa().getGangster(), 43, 42);
        if (mapa().getLadrao().getExiste()) junta(mapa().getLadrao(), 38, 40);
        const int passo = q % 100 == 99 ? 1 : 5;
        for (int y = 70; y < 480 && erros < 5; y += passo) {
            for (int x = (q + y) % passo; x < 640; x += passo) {
                bool coberto = false;
                for (const Ret& r : atuais)
                    coberto = coberto || (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h);
                if (!coberto && !chaoEm(x, y)) {
                    ADD_FAILURE() << "stale pixel at " << x << "," << y << " in frame " << q;
                    ++erros;
                    break;
                }
            }
        }
    }
    EXPECT_TRUE(mapa().getGangster().getExiste()) << "the game should have run long enough for every enemy";
}

TEST_F(Tela, EscapeEndsTheGameOnTheFrameItGoesDown) {
    const int before = mapa().getMiliD();
    key[KEY_ESC] = 1;
    jogo.quadroJogo();
    EXPECT_TRUE(jogo.getFim());
    EXPECT_EQ(mapa().getMiliD(), before) << "no update after Escape";
}
