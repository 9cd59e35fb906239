// The shipped pictures and level files, checked against the places the game
// draws them: a picture that breaks one of these leaves trails, hides a
// button or shows walls that are not where the player bounces.
#include <gtest/gtest.h>

#include "render/jpeg_loader.h"
#include "render/render.h"
#include "summary/summary_card.h"
#include "tests/support.h"

#include <loadpng.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string raiz = LUMO_SOURCE_DIR;

// The shipped set, loaded once with the game's own loaders.
class ArtTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        set_color_depth(32);
        for (const ArquivoImagem& a : Render::tabela()) {
            std::string caminho = raiz + "/" + a.caminho;
            imagens()[a.slot] = a.png ? load_png(caminho.c_str(), nullptr) : loadJpeg(caminho);
        }
    }
    static std::map<int, BITMAP*>& imagens() {
        static std::map<int, BITMAP*> m;
        return m;
    }
    static BITMAP* img(int slot) { return imagens().at(slot); }
    static const ArquivoImagem& linha(int slot) {
        for (const ArquivoImagem& a : Render::tabela())
            if (a.slot == slot) return a;
        throw std::out_of_range("no such slot");
    }
};

int alfa(BITMAP* b, int x, int y) { return geta32(getpixel(b, x, y)); }

int distancia(const teste::Rgb& a, const teste::Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

std::string bytes(const std::string& caminho) { return teste::leArquivo(raiz + "/" + caminho); }

// Bounding box of the visible (alpha > 0) pixels; empty when none.
struct Caixa {
    int x1 = 1 << 20, y1 = 1 << 20, x2 = -1, y2 = -1;
    bool vazia() const { return x2 < 0; }
};
Caixa visivel(BITMAP* b) {
    Caixa c;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (alfa(b, x, y) > 0) {
                c.x1 = std::min(c.x1, x); c.y1 = std::min(c.y1, y);
                c.x2 = std::max(c.x2, x); c.y2 = std::max(c.y2, y);
            }
    return c;
}

std::vector<int> slotsDeClock(int primeiro) {
    std::vector<int> v;
    for (int i = 0; i < 8; ++i) v.push_back(primeiro + i);
    return v;
}

TEST_F(ArtTest, EveryFileLoadsWithItsLoaderAt32Bits) {
    for (const ArquivoImagem& a : Render::tabela()) {
        BITMAP* b = img(a.slot);
        ASSERT_NE(b, nullptr) << a.caminho;
        EXPECT_EQ(bitmap_color_depth(b), 32) << a.caminho;
    }
}

TEST_F(ArtTest, PngFilesAreRgbaWithoutGammaChunks) {
    const int tipoRgba = 6;  // PNG colour type: truecolour with alpha
    for (const ArquivoImagem& a : Render::tabela()) {
        if (!a.png) continue;
        std::string d = bytes(a.caminho);
        ASSERT_GT(d.size(), 26u) << a.caminho;
        EXPECT_EQ(d.substr(12, 4), "IHDR") << a.caminho;
        EXPECT_EQ(int(d[24]), 8) << a.caminho;  // bits per channel
        EXPECT_EQ(int(d[25]), tipoRgba) << a.caminho;
        // loadpng corrects gamma when told a gamma: keep colours as drawn.
        EXPECT_EQ(d.find("gAMA"), std::string::npos) << a.caminho;
    }
}

TEST_F(ArtTest, JpegFilesAreBaselineAndAvoidTheMaskColour) {
    const std::string inicioBaseline = {char(255), char(192)};
    const std::string inicioProgressivo = {char(255), char(194)};
    for (const ArquivoImagem& a : Render::tabela()) {
        if (a.png) continue;
        std::string d = bytes(a.caminho);
        EXPECT_NE(d.find(inicioBaseline), std::string::npos) << a.caminho;
        EXPECT_EQ(d.find(inicioProgressivo), std::string::npos) << a.caminho;
        BITMAP* b = img(a.slot);
        int mascara = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                if (teste::pixel(b, x, y) == teste::Rgb{255, 0, 255}) ++mascara;
        EXPECT_EQ(mascara, 0) << a.caminho;
    }
}

TEST_F(ArtTest, SizesFitTheirPlaces) {
    struct Limite { int slot, w, h; bool exato; };
    std::vector<Limite> limites = {
        {20, 640, 480, true}, {21, 640, 480, true}, {22, 640, 480, true}, {25, 640, 480, true},
        {99, 640, 480, true}, {26, 390, 320, true}, {27, 390, 320, true}, {28, 390, 320, true},
        {29, 440, 370, true}, {40, 50, 50, true},   {41, 50, 50, true},   {42, 50, 50, true},
        {0, 390, 320, false}, {8, 390, 320, false}, {6, 50, 50, false},   {7, 50, 50, false},
        // Sprites inside the rectangle erased behind them.
        {10, 40, 40, false},  {11, 40, 40, false},  {12, 30, 30, false},  {13, 45, 40, false},
        {14, 43, 42, false},  {15, 38, 40, false},
        // The pause picture lies on the playfield, below the panel band.
        {9, 640, 410, false},
    };
    for (int s = 30; s <= 34; ++s) limites.push_back({s, 39, 50, false});
    // The summary card and its lines; the pop-up sign and digits.
    limites.push_back({SLOT_SUMMARY_CARD, 320, 314, true});
    limites.push_back({SLOT_SUMMARY_PLACE, 240, 36, true});
    limites.push_back({SLOT_SUMMARY_UNRANKED, 280, 36, true});
    limites.push_back({SLOT_SUMMARY_NOT_SAVED, 280, 36, true});
    limites.push_back({SLOT_SUMMARY_TIME_UP, 280, 26, true});
    limites.push_back({SLOT_SUMMARY_ENDED, 280, 26, true});
    limites.push_back({SLOT_SUMMARY_BEST, 80, 44, true});
    limites.push_back({SLOT_POPUP_PLUS, 12, 16, true});
    limites.push_back({SLOT_POPUP_MINUS, 12, 16, true});
    limites.push_back({SLOT_POPUP_BACK, 90, 16, true});
    for (short d = 0; d < 10; ++d) limites.push_back({slotPopupDigit(d), 12, 16, true});
    limites.push_back({SLOT_MUTE_SIGN, 28, 24, true});
    limites.push_back({SLOT_CHOOSER_TITLE, 236, 44, true});
    for (int s = 50; s <= 71; ++s) limites.push_back({s, 16, 21, false});
    for (int s : {SLOT_SUMMARY_SAVING, SLOT_SUMMARY_BEST_LABEL}) limites.push_back({s, 280, 36, false});
    for (int s : {SLOT_SUMMARY_LEVEL_BEST, SLOT_SUMMARY_FIRST_GAME}) limites.push_back({s, 280, 26, true});
    for (int s = SLOT_SUMMARY_PLAY_AGAIN; s <= SLOT_SUMMARY_FOCUS; ++s) limites.push_back({s, 136, 52, true});
    for (int s = SLOT_LEVEL_NAME; s < SLOT_LEVEL_NAME + 3; ++s) limites.push_back({s, 136, 50, false});
    limites.push_back({SLOT_NO_BEST, 80, 21, true});
    limites.push_back({SLOT_COCO_LANDING, 30, 30, true});  // the Coco's own picture
    for (int s = SLOT_MARK_WALL; s < SLOT_MARK_ITEM + 3; ++s) limites.push_back({s, 64, 64, false});
    for (int s = SLOT_HEADING; s < SLOT_HEADING + 16; ++s) limites.push_back({s, 16, 16, false});
    for (int s : {SLOT_PAUSE_RESUME_KEY, SLOT_PAUSE_RESUME_PAD, SLOT_PAUSE_PAD_LOST}) limites.push_back({s, 280, 32, false});
    for (int s : slotsDeClock(80)) limites.push_back({s, 50, 58, false});
    for (int s : slotsDeClock(90)) limites.push_back({s, 50, 58, false});
    for (const Limite& l : limites) {
        BITMAP* b = img(l.slot);
        if (l.exato) {
            EXPECT_EQ(b->w, l.w) << linha(l.slot).caminho;
            EXPECT_EQ(b->h, l.h) << linha(l.slot).caminho;
        } else {
            EXPECT_LE(b->w, l.w) << linha(l.slot).caminho;
            EXPECT_LE(b->h, l.h) << linha(l.slot).caminho;
        }
    }
}

// Laid over a frozen game: see-through corners, a solid middle where the
// word and the hint are, bright writing on a dark card.
TEST_F(ArtTest, PausedPictureIsACardOverThePlayfield) {
    BITMAP* b = img(9);
    for (auto [x, y] : {std::pair{0, 0}, {b->w - 1, 0}, {0, b->h - 1}, {b->w - 1, b->h - 1}})
        EXPECT_EQ(alfa(b, x, y), 0) << x << "," << y;
    int solid = 0, bright = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            solid += alfa(b, x, y) >= 200;
            const teste::Rgb c = teste::pixel(b, x, y);
            bright += alfa(b, x, y) == 255 && c.r > 200 && c.g > 180;
        }
    EXPECT_GT(solid, b->w * b->h * 3 / 4);
    // Opaque inside its border: the playfield never shows through the words.
    for (int y = 12; y < b->h - 12; ++y)
        for (int x = 12; x < b->w - 12; ++x) ASSERT_EQ(alfa(b, x, y), 255) << x << "," << y;
    EXPECT_GT(bright, 400) << "the yellow word and the white hint";
    EXPECT_GE(b->w, 200);
    EXPECT_GE(b->h, 80);
}

TEST_F(ArtTest, BlackScreenIsBlack) {
    BITMAP* b = img(99);
    for (int y = 0; y < b->h; y += 7)
        for (int x = 0; x < b->w; x += 7) ASSERT_EQ(teste::pixel(b, x, y), (teste::Rgb{0, 0, 0}));
}

TEST_F(ArtTest, SpritesHaveTransparentCornersAndAVisibleBody) {
    for (int s : {10, 11, 12, 13, 14, 15, 30, 31, 32, 33, 34}) {
        BITMAP* b = img(s);
        EXPECT_EQ(alfa(b, 0, b->h - 1), 0) << linha(s).caminho;
        int opacos = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) opacos += alfa(b, x, y) == 255;
        // Items fill only the top 40 rows of their picture.
        EXPECT_GT(opacos, b->w * std::min(b->h, 40) / 4) << linha(s).caminho;
    }
}

// Collision circles sit on the pictures' top-left corners, so two pictures
// look as close as their circles are only when every sprite has its middle
// as far from its corner as the face's.
TEST_F(ArtTest, EverySpriteHasItsMiddleWhereTheFacesIs) {
    auto middle = [](BITMAP* b) {
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                const int a = alfa(b, x, y);
                sx += a * (x + 0.5), sy += a * (y + 0.5), n += a;
            }
        return std::pair<double, double>{sx / n, sy / n};
    };
    const auto face = middle(img(10));
    EXPECT_NEAR(face.first, 20, 1);
    EXPECT_NEAR(face.second, 20, 1);
    for (int s : {11, 12, 13, 14, 15, 30, 31, 32, 33, 34}) {
        const auto m = middle(img(s));
        EXPECT_NEAR(m.first, face.first, 4) << linha(s).caminho;
        EXPECT_NEAR(m.second, face.second, 4) << linha(s).caminho;
    }
    for (int s = 30; s <= 34; ++s) {
        Caixa c = visivel(img(s));
        EXPECT_LT(c.y2, 40) << linha(s).caminho;
    }
}

TEST_F(ArtTest, OverlayIsOpaqueInTheBandAndTransparentBelow) {
    BITMAP* b = img(25);
    for (int y = 70; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) ASSERT_EQ(alfa(b, x, y), 0) << x << "," << y;
    // The cells the game copies back every frame must be solid panel.
    struct Celula { int x, w; };
    for (Celula c : {Celula{400, 80}, Celula{550, 80}, Celula{75, 16}})
        for (int y = 20; y < 41; ++y)
            for (int x = c.x; x < c.x + c.w; ++x) ASSERT_EQ(alfa(b, x, y), 255) << x << "," << y;
}

TEST_F(ArtTest, ClockFramesAreAllOrNothingWithOneShapePerClock) {
    for (int primeiro : {80, 90}) {
        BITMAP* base = img(primeiro);
        int opacos = 0;
        for (int s : slotsDeClock(primeiro)) {
            BITMAP* b = img(s);
            ASSERT_EQ(b->w, base->w);
            ASSERT_EQ(b->h, base->h);
            for (int y = 0; y < b->h; ++y)
                for (int x = 0; x < b->w; ++x) {
                    int a = alfa(b, x, y);
                    ASSERT_TRUE(a == 0 || a == 255) << linha(s).caminho << " " << x << "," << y;
                    ASSERT_EQ(a, alfa(base, x, y)) << linha(s).caminho << " " << x << "," << y;
                    opacos += a == 255;
                }
        }
        EXPECT_GT(opacos, 0);
        // The hand turns: consecutive frames differ.
        for (int i = 0; i < 7; ++i) {
            BITMAP* a = img(primeiro + i);
            BITMAP* b = img(primeiro + i + 1);
            int diferentes = 0;
            for (int y = 0; y < a->h; ++y)
                for (int x = 0; x < a->w; ++x) diferentes += !(teste::pixel(a, x, y) == teste::pixel(b, x, y));
            EXPECT_GT(diferentes, 10) << linha(primeiro + i).caminho;
        }
    }
}

TEST_F(ArtTest, DigitSetsAreYellowAndRed) {
    // Count the bright pixels by hue: the first set warm yellow, the second red.
    auto conta = [](BITMAP* b, int& amarelos, int& vermelhos) {
        amarelos = vermelhos = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                if (alfa(b, x, y) < 200) continue;
                teste::Rgb p = teste::pixel(b, x, y);
                if (p.r < 180) continue;
                if (p.g > 150 && p.b < 130) ++amarelos;
                if (p.g < 120) ++vermelhos;
            }
    };
    for (int s = 50; s <= 71; ++s) {
        if (s == 70 || s == 71) continue;
        int amarelos, vermelhos;
        conta(img(s), amarelos, vermelhos);
        bool primeiro = s < 60;
        EXPECT_GT(primeiro ? amarelos : vermelhos, 15) << linha(s).caminho;
        EXPECT_EQ(primeiro ? vermelhos : amarelos, 0) << linha(s).caminho;
    }
    int amarelos, vermelhos;
    conta(img(70), amarelos, vermelhos);
    EXPECT_GT(amarelos, 4);
    conta(img(71), amarelos, vermelhos);
    EXPECT_GT(vermelhos, 4);
}

TEST_F(ArtTest, DigitsDifferFromEachOther) {
    for (int set : {50, 60})
        for (int a = 0; a < 10; ++a)
            for (int b = a + 1; b < 10; ++b) {
                BITMAP* x = img(set + a);
                BITMAP* y = img(set + b);
                int diferentes = 0;
                for (int j = 0; j < std::min(x->h, y->h); ++j)
                    for (int i = 0; i < std::min(x->w, y->w); ++i)
                        diferentes += std::abs(alfa(x, i, j) - alfa(y, i, j)) > 100;
                EXPECT_GT(diferentes, 8) << linha(set + a).caminho << " vs " << linha(set + b).caminho;
            }
}

TEST_F(ArtTest, PopupSignsAreGreenAndRedAndTheDigitsDiffer) {
    auto colour = [](BITMAP* b) {
        long r = 0, g = 0, n = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                if (alfa(b, x, y) == 255) {
                    teste::Rgb c = teste::pixel(b, x, y);
                    if (c.r + c.g + c.b < 150) continue;  // the dark edge
                    r += c.r, g += c.g, ++n;
                }
        return std::pair<long, long>{r / std::max(n, 1L), g / std::max(n, 1L)};
    };
    auto plus = colour(img(SLOT_POPUP_PLUS)), minus = colour(img(SLOT_POPUP_MINUS));
    EXPECT_GT(plus.second, plus.first + 60);
    EXPECT_GT(minus.first, minus.second + 60);
    for (short a = 0; a < 10; ++a)
        for (short b = a + 1; b < 10; ++b) {
            // The white strokes, where opaque, tell the figures apart.
            auto white = [&](short d, int x, int y) {
                BITMAP* g = img(slotPopupDigit(d));
                teste::Rgb c = teste::pixel(g, x, y);
                return alfa(g, x, y) > 128 && c.r + c.g + c.b > 500;
            };
            int differ = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 12; ++x) differ += white(a, x, y) != white(b, x, y);
            EXPECT_GT(differ, 8) << a << " and " << b;
        }
}

TEST_F(ArtTest, SummaryCardIsOpaqueWithADarkWindowForTheTime) {
    BITMAP* card = img(SLOT_SUMMARY_CARD);
    EXPECT_EQ(alfa(card, 160, 120), 255);
    EXPECT_EQ(alfa(card, 0, card->h - 1), 0);  // rounded corners
    // The time's five cells at card x 208..288, y 89..110: dark, so the digits read.
    for (int y = 90; y < 110; y += 4)
        for (int x = 209; x < 287; x += 6) {
            teste::Rgb c = teste::pixel(card, x, y);
            EXPECT_LT(c.r + c.g + c.b, 120) << x << "," << y;
        }
    // The "New best!" badge lies on the card, clear of the yellow title.
    BITMAP* badge = img(SLOT_SUMMARY_BEST);
    for (int y = 0; y < badge->h; ++y)
        for (int x = 0; x < badge->w; ++x) {
            if (alfa(badge, x, y) == 0) continue;
            const int cx = SummaryCard::BEST_X + x, cy = SummaryCard::BEST_Y + y;
            ASSERT_EQ(alfa(card, cx, cy), 255) << "badge off the card at " << x << "," << y;
            const teste::Rgb c = teste::pixel(card, cx, cy);
            ASSERT_FALSE(c.r > 200 && c.g > 160 && c.b < 120) << "badge over the title at " << x << "," << y;
        }
}

// Drawn again, a button wipes the focus mark off itself: opaque, and in the
// card's own colour where it lies on the card.
TEST_F(ArtTest, SummaryButtonsLieOpaqueOnThePlainCard) {
    BITMAP* card = img(SLOT_SUMMARY_CARD);
    for (auto [slot, cx] : {std::pair{SLOT_SUMMARY_PLAY_AGAIN, 20}, {SLOT_SUMMARY_MENU, 164}}) {
        BITMAP* b = img(slot);
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) ASSERT_EQ(alfa(b, x, y), 255) << linha(slot).caminho << " " << x << "," << y;
        for (auto [x, y] : {std::pair{0, 0}, {b->w - 1, 0}, {0, b->h - 1}, {b->w - 1, b->h - 1}})
            EXPECT_EQ(teste::pixel(b, x, y), teste::pixel(card, cx + x, 246 + y)) << linha(slot).caminho;
    }
}

// Screen y grows downwards: picture i points i * 22.5 degrees clockwise from the right.
TEST_F(ArtTest, HeadingMarkersPointTheirWay) {
    for (int i = 0; i < 16; ++i) {
        BITMAP* b = img(SLOT_HEADING + i);
        double longe = 0, angulo = 0;  // the dark tip: the fill's farthest pixel from the middle
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                const teste::Rgb c = teste::pixel(b, x, y);
                const double dx = x + 0.5 - b->w / 2.0, dy = y + 0.5 - b->h / 2.0;
                if (alfa(b, x, y) == 255 && c.r + c.g + c.b < 300 && std::hypot(dx, dy) > longe)
                    longe = std::hypot(dx, dy), angulo = std::atan2(dy, dx) * 180 / M_PI;
            }
        EXPECT_NEAR(std::remainder(angulo - i * 22.5, 360), 0, 14) << linha(SLOT_HEADING + i).caminho;
    }
}

TEST_F(ArtTest, BannerLeavesTheLevelButtonsUncovered) {
    BITMAP* b = img(0);
    for (int y = 0; y < 100 && y < b->h; ++y)
        for (int x = 50; x < 100 && x < b->w; ++x) ASSERT_EQ(alfa(b, x, y), 0) << x << "," << y;
    EXPECT_FALSE(visivel(b).vazia());
}

TEST_F(ArtTest, MenuButtonsStayInsideTheirOwnHitBoxes) {
    // Screen place of each button and the part of its box no other box claims.
    struct Botao { int slot, x, y, xMin, xMax, yMin, yMax; };
    const Botao botoes[] = {
        {1, 0, 140, 1, 199, 141, 213}, {2, 0, 240, 1, 199, 241, 313}, {3, 0, 340, 1, 199, 341, 413},
        {4, 0, 390, 1, 199, 414, 463}, {5, 480, 390, 481, 639, 391, 463},
    };
    for (const Botao& b : botoes) {
        Caixa c = visivel(img(b.slot));
        ASSERT_FALSE(c.vazia()) << linha(b.slot).caminho;
        EXPECT_GE(b.x + c.x1, b.xMin) << linha(b.slot).caminho;
        EXPECT_LE(b.x + c.x2, b.xMax) << linha(b.slot).caminho;
        EXPECT_GE(b.y + c.y1, b.yMin) << linha(b.slot).caminho;
        EXPECT_LE(b.y + c.y2, b.yMax) << linha(b.slot).caminho;
    }
}

TEST_F(ArtTest, CreditsKeepTheirMarginsBlack) {
    BITMAP* b = img(29);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (x < 50 || y < 50) {
                ASSERT_EQ(teste::pixel(b, x, y), (teste::Rgb{0, 0, 0})) << x << "," << y;
            }
    Caixa conteudo;
    for (int y = 50; y < b->h; ++y)
        for (int x = 50; x < b->w; ++x)
            if (!(teste::pixel(b, x, y) == teste::Rgb{0, 0, 0})) conteudo.x2 = x;
    EXPECT_GE(conteudo.x2, 0);
}

TEST_F(ArtTest, HelpPagesShowTheNextArrowInsideItsClickBox) {
    for (int s : {26, 27, 28}) {
        BITMAP* b = img(s);
        teste::Rgb fundo = teste::pixel(b, 357, 200);
        int marcados = 0, total = 0;
        for (int y = 136; y < 175; ++y)
            for (int x = 361; x < 380; ++x) {
                ++total;
                marcados += distancia(teste::pixel(b, x, y), fundo) > 60;
            }
        EXPECT_GT(marcados, total * 3 / 4) << linha(s).caminho;
        // Nothing of it strays to the left of or below the box (right of it
        // there is only the page's border, up to the image's edge).
        for (int y = 130; y < 182; ++y)
            for (int x : {354, 357})
                EXPECT_LT(distancia(teste::pixel(b, x, y), fundo), 60) << linha(s).caminho << " " << x << "," << y;
        for (int x = 356; x < 385; ++x)
            EXPECT_LT(distancia(teste::pixel(b, x, 180), fundo), 60) << linha(s).caminho << " " << x;
    }
}

// ---- level files

struct Nivel {
    int nr;
    size_t paredes;
    std::vector<int> numeros;
};

Nivel leNivel(int nr) {
    Nivel n{nr, size_t(nr == 1 ? 4 : nr == 2 ? 2 : 8), {}};
    std::ifstream f(raiz + "/0" + std::to_string(nr) + ".txt");
    std::string palavra;
    while (f >> palavra) {
        size_t usados = 0;
        n.numeros.push_back(std::stoi(palavra, &usados));
        EXPECT_EQ(usados, palavra.size()) << "not a whole number: " << palavra;
    }
    return n;
}

struct Retangulo { int x1, y1, x2, y2; };
struct Objeto { int x, y, velocidade, direcao, raio, smooth, w, h; };

std::vector<Retangulo> paredes(const Nivel& n) {
    std::vector<Retangulo> v;
    for (size_t i = 0; i < n.paredes; ++i) {
        const int* p = &n.numeros[36 + 4 * i];
        v.push_back({p[0], p[1], p[2], p[3]});
    }
    return v;
}

std::vector<Objeto> objetos(const Nivel& n) {
    // Player, item, Coco, Esposa, Gangster, Ladrao and the size each is drawn at.
    const int tamanhos[6][2] = {{40, 40}, {39, 50}, {30, 30}, {45, 40}, {43, 42}, {38, 40}};
    std::vector<Objeto> v;
    for (int i = 0; i < 6; ++i) {
        const int* p = &n.numeros[6 * i];
        v.push_back({p[0], p[1], p[2], p[3], p[4], p[5], tamanhos[i][0], tamanhos[i][1]});
    }
    return v;
}

bool sobrepoe(const Retangulo& a, const Retangulo& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

double distanciaAoRetangulo(int x, int y, const Retangulo& r) {
    double dx = std::max({r.x1 - x, 0, x - r.x2});
    double dy = std::max({r.y1 - y, 0, y - r.y2});
    return std::sqrt(dx * dx + dy * dy);
}

class ArtLevelTest : public ArtTest, public testing::WithParamInterface<int> {};

TEST_P(ArtLevelTest, FileHoldsTheRightCountOfNumbers) {
    Nivel n = leNivel(GetParam());
    EXPECT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
}

TEST_P(ArtLevelTest, ValuesLieInTheirRanges) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    std::vector<Objeto> obj = objetos(n);
    EXPECT_EQ(obj[0].velocidade, 5);
    for (size_t i = 0; i < obj.size(); ++i) {
        const Objeto& o = obj[i];
        EXPECT_GE(o.x, -30); EXPECT_LE(o.x, 640);
        EXPECT_GE(o.y, 70);  EXPECT_LE(o.y, 480);
        EXPECT_GE(o.direcao, 0); EXPECT_LE(o.direcao, 359);
        // The circle sits on the picture's top-left corner: keep it within the picture.
        EXPECT_GE(o.raio, 12); EXPECT_LE(o.raio, std::min(o.w, o.h) / 2);
        if (i >= 3) {
            EXPECT_GE(o.velocidade, 2); EXPECT_LE(o.velocidade, 4);
            EXPECT_GE(o.smooth, 3); EXPECT_LE(o.smooth, 10);
        }
    }
    for (const Retangulo& r : paredes(n)) {
        // Thicker than the 40-pixel box in both ways, so no box can straddle a wall
        // without a corner inside it, and no step of 15 can jump over one.
        EXPECT_GT(r.x2 - r.x1, 40);
        EXPECT_GT(r.y2 - r.y1, 40);
        EXPECT_GE(r.x1, 0); EXPECT_LE(r.x2, 640);
        EXPECT_GE(r.y1, 70); EXPECT_LE(r.y2, 480);
    }
}

TEST_P(ArtLevelTest, StartPlacesAreClearOfWallsAndOfEachOther) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    std::vector<Objeto> obj = objetos(n);
    for (size_t i = 0; i < obj.size(); ++i) {
        const Objeto& o = obj[i];
        for (const Retangulo& r : paredes(n)) {
            EXPECT_FALSE(sobrepoe({o.x, o.y, o.x + std::max(o.w, 40), o.y + std::max(o.h, 40)}, r)) << "object " << i;
            EXPECT_GT(distanciaAoRetangulo(o.x, o.y, r), o.raio) << "object " << i;
        }
        for (size_t j = i + 1; j < obj.size(); ++j) {
            double d = std::hypot(o.x - obj[j].x, o.y - obj[j].y);
            EXPECT_GT(d, o.raio + obj[j].raio + 20) << "objects " << i << " and " << j;
        }
    }
    // No enemy starts close enough to the face to jolt it as a game begins.
    for (size_t i = 2; i < obj.size(); ++i)
        EXPECT_GE(std::hypot(obj[i].x - obj[0].x, obj[i].y - obj[0].y), 100) << "enemy " << i;
}

// An object's turn step is read only when the object is made, in the first
// game of a run, so every level gives each object the same one.
TEST_F(ArtTest, EveryLevelGivesEachObjectTheSameTurnStep) {
    const std::vector<Objeto> primeiro = objetos(leNivel(1));
    for (int nr : {2, 3}) {
        const std::vector<Objeto> outro = objetos(leNivel(nr));
        for (size_t i = 0; i < primeiro.size(); ++i)
            EXPECT_EQ(outro[i].smooth, primeiro[i].smooth) << "level " << nr << ", object " << i;
    }
}

// Left alone, the face runs straight on at its start heading, wrapping round
// the field's edges. That lane meets a wall, so doing nothing does not pay,
// but only after two seconds of running, time to react; and the item lies
// off it, so the first one has to be steered to.
TEST_P(ArtLevelTest, TheStartLaneMeetsAWallInTimeToReactAndMissesTheItem) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    const std::vector<Objeto> obj = objetos(n);
    const Objeto& jogador = obj[0];
    const Retangulo item{obj[1].x, obj[1].y, obj[1].x + 40, obj[1].y + 40};
    const double a = jogador.direcao * M_PI / 180;
    double x = jogador.x, y = jogador.y;
    int parede = 0;  // the update whose box first has a corner inside a wall
    for (int u = 1; u <= 2000 && !parede; ++u) {
        x += jogador.velocidade * std::cos(a);
        y += jogador.velocidade * std::sin(a);
        x = x > 640 ? -30 : x < -30 ? 640 : x;
        y = y > 480 ? 70 : y < 70 ? 480 : y;
        for (const Retangulo& r : paredes(n))
            for (auto [cx, cy] : {std::pair{x, y}, {x + 40, y}, {x, y + 40}, {x + 40, y + 40}})
                if (r.x1 < cx && cx < r.x2 && r.y1 < cy && cy < r.y2) parede = u;
        const Retangulo caixa{int(x), int(y), int(x) + 40, int(y) + 40};
        ASSERT_FALSE(sobrepoe(caixa, item)) << "the item lies on the start lane at update " << u;
    }
    ASSERT_GT(parede, 0) << "the start lane wraps round the field without meeting a wall";
    EXPECT_GE(parede, 62);
}

TEST_P(ArtLevelTest, TheItemMostlyLandsInTheOpen) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    int livres = 0, total = 0;
    for (int y = 80; y <= 429; y += 7)
        for (int x = 20; x <= 619; x += 7) {
            ++total;
            bool bate = false;
            for (const Retangulo& r : paredes(n)) bate = bate || sobrepoe({x, y, x + 40, y + 40}, r);
            livres += !bate;
        }
    EXPECT_GT(livres, total * 6 / 10);
}

TEST_P(ArtLevelTest, EveryOpenPlaceIsReachableFromTheStart) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    // Places of the player's box on a 5-pixel grid over the wrap-around field.
    const int passo = 5, x0 = -30, y0 = 70, colunas = 670 / passo + 1, linhas = 410 / passo + 1;
    auto livre = [&](int c, int l) {
        Retangulo caixa{x0 + c * passo, y0 + l * passo, x0 + c * passo + 40, y0 + l * passo + 40};
        for (const Retangulo& r : paredes(n))
            if (sobrepoe(caixa, r)) return false;
        return true;
    };
    Objeto jogador = objetos(n)[0];
    int c0 = (jogador.x - x0) / passo, l0 = (jogador.y - y0) / passo;
    ASSERT_TRUE(livre(c0, l0));
    std::vector<char> visto(colunas * linhas, 0);
    std::vector<std::pair<int, int>> fila = {{c0, l0}};
    visto[l0 * colunas + c0] = 1;
    for (size_t k = 0; k < fila.size(); ++k) {
        auto [c, l] = fila[k];
        const int dc[] = {1, -1, 0, 0}, dl[] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            int nc = (c + dc[d] + colunas) % colunas, nl = (l + dl[d] + linhas) % linhas;
            if (!visto[nl * colunas + nc] && livre(nc, nl)) {
                visto[nl * colunas + nc] = 1;
                fila.push_back({nc, nl});
            }
        }
    }
    for (int l = 0; l < linhas; ++l)
        for (int c = 0; c < colunas; ++c)
            if (livre(c, l)) {
                ASSERT_TRUE(visto[l * colunas + c]) << x0 + c * passo << "," << y0 + l * passo;
            }
}

TEST_P(ArtLevelTest, BackgroundShowsTheWallsExactlyOnTheirRectangles) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    BITMAP* b = img(19 + n.nr);
    std::vector<Retangulo> ps = paredes(n);
    // The wall colour is the middle of the first wall; every wall shows it inside.
    teste::Rgb parede = teste::pixel(b, (ps[0].x1 + ps[0].x2) / 2, (ps[0].y1 + ps[0].y2) / 2);
    const int borda = 9;
    for (const Retangulo& r : ps)
        for (int y = r.y1 + borda; y < r.y2 - borda; y += 3)
            for (int x = r.x1 + borda; x < r.x2 - borda; x += 3)
                ASSERT_LT(distancia(teste::pixel(b, x, y), parede), 40) << x << "," << y;
    // Outside, away from the walls' edges and their shadows, only floor.
    int amostras = 0;
    for (int y = 70; y < 480; y += 4)
        for (int x = 0; x < 640; x += 4) {
            bool perto = false;
            for (const Retangulo& r : ps) perto = perto || distanciaAoRetangulo(x, y, r) < 10;
            if (perto) continue;
            ++amostras;
            ASSERT_GT(distancia(teste::pixel(b, x, y), parede), 120) << x << "," << y;
        }
    EXPECT_GT(amostras, 5000);
    // And the edge of a wall is sharp: just inside is wall-dark, just outside floor-light.
    for (const Retangulo& r : ps) {
        teste::Rgb dentro = teste::pixel(b, r.x1 + 1, (r.y1 + r.y2) / 2);
        teste::Rgb fora = teste::pixel(b, r.x1 - 2, (r.y1 + r.y2) / 2);
        EXPECT_GT(distancia(dentro, fora), 120) << r.x1 << "," << r.y1;
    }
}

// What looks like wall is wall: right up to a wall's edge the picture round
// it is floor, with no shadow or rim outside the rectangle the face bounces
// off. Nothing there is darker than the floor's own marks (a shadow may only
// tint the floor lightly) or near the wall's colour; JPEG blurs the edge
// itself by a pixel.
TEST_P(ArtLevelTest, NothingOutsideAWallLooksLikeWall) {
    Nivel n = leNivel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    BITMAP* b = img(19 + n.nr);
    const std::vector<Retangulo> ps = paredes(n);
    const teste::Rgb parede = teste::pixel(b, (ps[0].x1 + ps[0].x2) / 2, (ps[0].y1 + ps[0].y2) / 2);
    auto aParede = [&](int x, int y) {
        double d = 1e9;
        for (const Retangulo& r : ps) d = std::min(d, distanciaAoRetangulo(x, y, r));
        return d;
    };
    auto brilho = [](const teste::Rgb& c) { return c.r + c.g + c.b; };
    int chaoEscuro = 3 * 255;
    for (int y = 70; y < 480; y += 2)
        for (int x = 0; x < 640; x += 2)
            if (aParede(x, y) > 20) chaoEscuro = std::min(chaoEscuro, brilho(teste::pixel(b, x, y)));
    const int folgaJpeg = 12;
    int perto = 0;
    for (int y = 70; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double d = aParede(x, y);
            if (d < 2 || d > 12) continue;
            ++perto;
            const teste::Rgb c = teste::pixel(b, x, y);
            ASSERT_GE(brilho(c), chaoEscuro - folgaJpeg) << x << "," << y << " " << c;
            ASSERT_GT(distancia(c, parede), 120) << x << "," << y << " " << c;
        }
    EXPECT_GT(perto, 1000);
}

TEST_P(ArtLevelTest, PlayerFaceStandsOutOnTheFloor) {
    Nivel n = leNivel(GetParam());
    BITMAP* chao = img(19 + n.nr);
    teste::Rgb piso = teste::pixel(chao, 2, 470);
    for (int s : {10, 11}) {
        BITMAP* face = img(s);
        teste::Rgb meio = teste::pixel(face, face->w / 2, face->h / 4);
        teste::Rgb contorno{255, 255, 255};
        for (int x = 0; x < face->w / 2; ++x)
            if (alfa(face, x, face->h / 2) == 255) {
                contorno = teste::pixel(face, x, face->h / 2);
                break;
            }
        EXPECT_GT(distancia(meio, piso), 90) << linha(s).caminho;
        EXPECT_GT(distancia(contorno, piso), 300) << linha(s).caminho;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ArtLevelTest, testing::Values(1, 2, 3));

}  // namespace
