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

const std::string root = LUMO_SOURCE_DIR;

// The shipped set, loaded once with the game's own loaders.
class ArtTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        set_color_depth(32);
        for (const ArquivoImagem& a : Render::tabela()) {
            std::string caminho = root + "/" + a.caminho;
            imagens()[a.slot] = a.png ? load_png(caminho.c_str(), nullptr) : loadJpeg(caminho);
        }
    }
    static std::map<int, BITMAP*>& imagens() {
        static std::map<int, BITMAP*> m;
        return m;
    }
    static BITMAP* img(int slot) { return imagens().at(slot); }
    static const ArquivoImagem& line(int slot) {
        for (const ArquivoImagem& a : Render::tabela())
            if (a.slot == slot) return a;
        throw std::out_of_range("no such slot");
    }
};

int alpha(BITMAP* b, int x, int y) { return geta32(getpixel(b, x, y)); }

int distance(const test::Rgb& a, const test::Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

std::string bytes(const std::string& caminho) { return test::readFile(root + "/" + caminho); }

// Bounding box of the visible (alpha > 0) pixels; empty when none.
struct Box {
    int x1 = 1 << 20, y1 = 1 << 20, x2 = -1, y2 = -1;
    bool empty() const { return x2 < 0; }
};
Box visible(BITMAP* b) {
    Box c;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (alpha(b, x, y) > 0) {
                c.x1 = std::min(c.x1, x); c.y1 = std::min(c.y1, y);
                c.x2 = std::max(c.x2, x); c.y2 = std::max(c.y2, y);
            }
    return c;
}

std::vector<int> clockSlots(int first) {
    std::vector<int> v;
    for (int i = 0; i < 8; ++i) v.push_back(first + i);
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
    const int rgbaType = 6;  // PNG colour type: truecolour with alpha
    for (const ArquivoImagem& a : Render::tabela()) {
        if (!a.png) continue;
        std::string d = bytes(a.caminho);
        ASSERT_GT(d.size(), 26u) << a.caminho;
        EXPECT_EQ(d.substr(12, 4), "IHDR") << a.caminho;
        EXPECT_EQ(int(d[24]), 8) << a.caminho;  // bits per channel
        EXPECT_EQ(int(d[25]), rgbaType) << a.caminho;
        // loadpng corrects gamma when told a gamma: keep colours as drawn.
        EXPECT_EQ(d.find("gAMA"), std::string::npos) << a.caminho;
    }
}

TEST_F(ArtTest, JpegFilesAreBaselineAndAvoidTheMaskColour) {
    const std::string startBaseline = {char(255), char(192)};
    const std::string startProgressive = {char(255), char(194)};
    for (const ArquivoImagem& a : Render::tabela()) {
        if (a.png) continue;
        std::string d = bytes(a.caminho);
        EXPECT_NE(d.find(startBaseline), std::string::npos) << a.caminho;
        EXPECT_EQ(d.find(startProgressive), std::string::npos) << a.caminho;
        BITMAP* b = img(a.slot);
        int mask = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                if (test::pixel(b, x, y) == test::Rgb{255, 0, 255}) ++mask;
        EXPECT_EQ(mask, 0) << a.caminho;
    }
}

TEST_F(ArtTest, SizesFitTheirPlaces) {
    struct Limit { int slot, w, h; bool exact; };
    std::vector<Limit> limits = {
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
    for (int s = 30; s <= 34; ++s) limits.push_back({s, 39, 50, false});
    // The summary card and its lines; the pop-up sign and digits.
    limits.push_back({SLOT_SUMMARY_CARD, 320, 314, true});
    limits.push_back({SLOT_SUMMARY_PLACE, 240, 36, true});
    limits.push_back({SLOT_SUMMARY_UNRANKED, 280, 36, true});
    limits.push_back({SLOT_SUMMARY_NOT_SAVED, 280, 36, true});
    limits.push_back({SLOT_SUMMARY_TIME_UP, 280, 26, true});
    limits.push_back({SLOT_SUMMARY_ENDED, 280, 26, true});
    limits.push_back({SLOT_SUMMARY_BEST, 80, 44, true});
    limits.push_back({SLOT_POPUP_PLUS, 12, 16, true});
    limits.push_back({SLOT_POPUP_MINUS, 12, 16, true});
    limits.push_back({SLOT_POPUP_BACK, 90, 16, true});
    for (short d = 0; d < 10; ++d) limits.push_back({slotPopupDigit(d), 12, 16, true});
    limits.push_back({SLOT_MUTE_SIGN, 28, 24, true});
    limits.push_back({SLOT_CHOOSER_TITLE, 236, 44, true});
    for (int s = 50; s <= 71; ++s) limits.push_back({s, 16, 21, false});
    for (int s : {SLOT_SUMMARY_SAVING, SLOT_SUMMARY_BEST_LABEL}) limits.push_back({s, 280, 36, false});
    for (int s : {SLOT_SUMMARY_LEVEL_BEST, SLOT_SUMMARY_FIRST_GAME}) limits.push_back({s, 280, 26, true});
    for (int s = SLOT_SUMMARY_PLAY_AGAIN; s <= SLOT_SUMMARY_FOCUS; ++s) limits.push_back({s, 136, 52, true});
    for (int s = SLOT_LEVEL_NAME; s < SLOT_LEVEL_NAME + 3; ++s) limits.push_back({s, 136, 50, false});
    limits.push_back({SLOT_NO_BEST, 80, 21, true});
    for (int s = SLOT_MARK_WALL; s < SLOT_MARK_ITEM + 3; ++s) limits.push_back({s, 64, 64, false});
    for (int s = SLOT_HEADING; s < SLOT_HEADING + 16; ++s) limits.push_back({s, 16, 16, false});
    for (int s : {SLOT_PAUSE_RESUME_KEY, SLOT_PAUSE_RESUME_PAD, SLOT_PAUSE_PAD_LOST}) limits.push_back({s, 280, 32, false});
    for (int s : clockSlots(80)) limits.push_back({s, 50, 58, false});
    for (int s : clockSlots(90)) limits.push_back({s, 50, 58, false});
    for (const Limit& l : limits) {
        BITMAP* b = img(l.slot);
        if (l.exact) {
            EXPECT_EQ(b->w, l.w) << line(l.slot).caminho;
            EXPECT_EQ(b->h, l.h) << line(l.slot).caminho;
        } else {
            EXPECT_LE(b->w, l.w) << line(l.slot).caminho;
            EXPECT_LE(b->h, l.h) << line(l.slot).caminho;
        }
    }
}

// Laid over a frozen game: see-through corners, a solid middle where the
// word and the hint are, bright writing on a dark card.
TEST_F(ArtTest, PausedPictureIsACardOverThePlayfield) {
    BITMAP* b = img(9);
    for (auto [x, y] : {std::pair{0, 0}, {b->w - 1, 0}, {0, b->h - 1}, {b->w - 1, b->h - 1}})
        EXPECT_EQ(alpha(b, x, y), 0) << x << "," << y;
    int solid = 0, bright = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            solid += alpha(b, x, y) >= 200;
            const test::Rgb c = test::pixel(b, x, y);
            bright += alpha(b, x, y) == 255 && c.r > 200 && c.g > 180;
        }
    EXPECT_GT(solid, b->w * b->h * 3 / 4);
    // Opaque inside its border: the playfield never shows through the words.
    for (int y = 12; y < b->h - 12; ++y)
        for (int x = 12; x < b->w - 12; ++x) ASSERT_EQ(alpha(b, x, y), 255) << x << "," << y;
    EXPECT_GT(bright, 400) << "the yellow word and the white hint";
    EXPECT_GE(b->w, 200);
    EXPECT_GE(b->h, 80);
}

TEST_F(ArtTest, BlackScreenIsBlack) {
    BITMAP* b = img(99);
    for (int y = 0; y < b->h; y += 7)
        for (int x = 0; x < b->w; x += 7) ASSERT_EQ(test::pixel(b, x, y), (test::Rgb{0, 0, 0}));
}

TEST_F(ArtTest, SpritesHaveTransparentCornersAndAVisibleBody) {
    for (int s : {10, 11, 12, 13, 14, 15, 30, 31, 32, 33, 34}) {
        BITMAP* b = img(s);
        EXPECT_EQ(alpha(b, 0, b->h - 1), 0) << line(s).caminho;
        int opaque = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) opaque += alpha(b, x, y) == 255;
        // Items fill only the top 40 rows of their picture.
        EXPECT_GT(opaque, b->w * std::min(b->h, 40) / 4) << line(s).caminho;
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
                const int a = alpha(b, x, y);
                sx += a * (x + 0.5), sy += a * (y + 0.5), n += a;
            }
        return std::pair<double, double>{sx / n, sy / n};
    };
    const auto face = middle(img(10));
    EXPECT_NEAR(face.first, 20, 1);
    EXPECT_NEAR(face.second, 20, 1);
    for (int s : {11, 12, 13, 14, 15, 30, 31, 32, 33, 34}) {
        const auto m = middle(img(s));
        EXPECT_NEAR(m.first, face.first, 4) << line(s).caminho;
        EXPECT_NEAR(m.second, face.second, 4) << line(s).caminho;
    }
    for (int s = 30; s <= 34; ++s) {
        Box c = visible(img(s));
        EXPECT_LT(c.y2, 40) << line(s).caminho;
    }
}

TEST_F(ArtTest, OverlayIsOpaqueInTheBandAndTransparentBelow) {
    BITMAP* b = img(25);
    for (int y = 70; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) ASSERT_EQ(alpha(b, x, y), 0) << x << "," << y;
    // The cells the game copies back every frame must be solid panel.
    struct Cell { int x, w; };
    for (Cell c : {Cell{400, 80}, Cell{550, 80}, Cell{75, 16}})
        for (int y = 20; y < 41; ++y)
            for (int x = c.x; x < c.x + c.w; ++x) ASSERT_EQ(alpha(b, x, y), 255) << x << "," << y;
}

TEST_F(ArtTest, ClockFramesAreAllOrNothingWithOneShapePerClock) {
    for (int first : {80, 90}) {
        BITMAP* base = img(first);
        int opaque = 0;
        for (int s : clockSlots(first)) {
            BITMAP* b = img(s);
            ASSERT_EQ(b->w, base->w);
            ASSERT_EQ(b->h, base->h);
            for (int y = 0; y < b->h; ++y)
                for (int x = 0; x < b->w; ++x) {
                    int a = alpha(b, x, y);
                    ASSERT_TRUE(a == 0 || a == 255) << line(s).caminho << " " << x << "," << y;
                    ASSERT_EQ(a, alpha(base, x, y)) << line(s).caminho << " " << x << "," << y;
                    opaque += a == 255;
                }
        }
        EXPECT_GT(opaque, 0);
        // The hand turns: consecutive frames differ.
        for (int i = 0; i < 7; ++i) {
            BITMAP* a = img(first + i);
            BITMAP* b = img(first + i + 1);
            int different = 0;
            for (int y = 0; y < a->h; ++y)
                for (int x = 0; x < a->w; ++x) different += !(test::pixel(a, x, y) == test::pixel(b, x, y));
            EXPECT_GT(different, 10) << line(first + i).caminho;
        }
    }
}

TEST_F(ArtTest, DigitSetsAreYellowAndRed) {
    // Count the bright pixels by hue: the first set warm yellow, the second red.
    auto count = [](BITMAP* b, int& yellows, int& reds) {
        yellows = reds = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                if (alpha(b, x, y) < 200) continue;
                test::Rgb p = test::pixel(b, x, y);
                if (p.r < 180) continue;
                if (p.g > 150 && p.b < 130) ++yellows;
                if (p.g < 120) ++reds;
            }
    };
    for (int s = 50; s <= 71; ++s) {
        if (s == 70 || s == 71) continue;
        int yellows, reds;
        count(img(s), yellows, reds);
        bool first = s < 60;
        EXPECT_GT(first ? yellows : reds, 15) << line(s).caminho;
        EXPECT_EQ(first ? reds : yellows, 0) << line(s).caminho;
    }
    int yellows, reds;
    count(img(70), yellows, reds);
    EXPECT_GT(yellows, 4);
    count(img(71), yellows, reds);
    EXPECT_GT(reds, 4);
}

TEST_F(ArtTest, DigitsDifferFromEachOther) {
    for (int set : {50, 60})
        for (int a = 0; a < 10; ++a)
            for (int b = a + 1; b < 10; ++b) {
                BITMAP* x = img(set + a);
                BITMAP* y = img(set + b);
                int different = 0;
                for (int j = 0; j < std::min(x->h, y->h); ++j)
                    for (int i = 0; i < std::min(x->w, y->w); ++i)
                        different += std::abs(alpha(x, i, j) - alpha(y, i, j)) > 100;
                EXPECT_GT(different, 8) << line(set + a).caminho << " vs " << line(set + b).caminho;
            }
}

TEST_F(ArtTest, PopupSignsAreGreenAndRedAndTheDigitsDiffer) {
    auto colour = [](BITMAP* b) {
        long r = 0, g = 0, n = 0;
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x)
                if (alpha(b, x, y) == 255) {
                    test::Rgb c = test::pixel(b, x, y);
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
                test::Rgb c = test::pixel(g, x, y);
                return alpha(g, x, y) > 128 && c.r + c.g + c.b > 500;
            };
            int differ = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 12; ++x) differ += white(a, x, y) != white(b, x, y);
            EXPECT_GT(differ, 8) << a << " and " << b;
        }
}

TEST_F(ArtTest, SummaryCardIsOpaqueWithADarkWindowForTheTime) {
    BITMAP* card = img(SLOT_SUMMARY_CARD);
    EXPECT_EQ(alpha(card, 160, 120), 255);
    EXPECT_EQ(alpha(card, 0, card->h - 1), 0);  // rounded corners
    // The time's five cells at card x 208..288, y 89..110: dark, so the digits read.
    for (int y = 90; y < 110; y += 4)
        for (int x = 209; x < 287; x += 6) {
            test::Rgb c = test::pixel(card, x, y);
            EXPECT_LT(c.r + c.g + c.b, 120) << x << "," << y;
        }
    // The "New best!" badge lies on the card, clear of the yellow title.
    BITMAP* badge = img(SLOT_SUMMARY_BEST);
    for (int y = 0; y < badge->h; ++y)
        for (int x = 0; x < badge->w; ++x) {
            if (alpha(badge, x, y) == 0) continue;
            const int cx = SummaryCard::BEST_X + x, cy = SummaryCard::BEST_Y + y;
            ASSERT_EQ(alpha(card, cx, cy), 255) << "badge off the card at " << x << "," << y;
            const test::Rgb c = test::pixel(card, cx, cy);
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
            for (int x = 0; x < b->w; ++x) ASSERT_EQ(alpha(b, x, y), 255) << line(slot).caminho << " " << x << "," << y;
        for (auto [x, y] : {std::pair{0, 0}, {b->w - 1, 0}, {0, b->h - 1}, {b->w - 1, b->h - 1}})
            EXPECT_EQ(test::pixel(b, x, y), test::pixel(card, cx + x, 246 + y)) << line(slot).caminho;
    }
}

// Screen y grows downwards: picture i points i * 22.5 degrees clockwise from the right.
TEST_F(ArtTest, HeadingMarkersPointTheirWay) {
    for (int i = 0; i < 16; ++i) {
        BITMAP* b = img(SLOT_HEADING + i);
        double far = 0, angle = 0;  // the dark tip: the fill's farthest pixel from the middle
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                const test::Rgb c = test::pixel(b, x, y);
                const double dx = x + 0.5 - b->w / 2.0, dy = y + 0.5 - b->h / 2.0;
                if (alpha(b, x, y) == 255 && c.r + c.g + c.b < 300 && std::hypot(dx, dy) > far)
                    far = std::hypot(dx, dy), angle = std::atan2(dy, dx) * 180 / M_PI;
            }
        EXPECT_NEAR(std::remainder(angle - i * 22.5, 360), 0, 14) << line(SLOT_HEADING + i).caminho;
    }
}

TEST_F(ArtTest, BannerLeavesTheLevelButtonsUncovered) {
    BITMAP* b = img(0);
    for (int y = 0; y < 100 && y < b->h; ++y)
        for (int x = 50; x < 100 && x < b->w; ++x) ASSERT_EQ(alpha(b, x, y), 0) << x << "," << y;
    EXPECT_FALSE(visible(b).empty());
}

TEST_F(ArtTest, MenuButtonsStayInsideTheirOwnHitBoxes) {
    // Screen place of each button and the part of its box no other box claims.
    struct Button { int slot, x, y, xMin, xMax, yMin, yMax; };
    const Button buttons[] = {
        {1, 0, 140, 1, 199, 141, 213}, {2, 0, 240, 1, 199, 241, 313}, {3, 0, 340, 1, 199, 341, 413},
        {4, 0, 390, 1, 199, 414, 463}, {5, 480, 390, 481, 639, 391, 463},
    };
    for (const Button& b : buttons) {
        Box c = visible(img(b.slot));
        ASSERT_FALSE(c.empty()) << line(b.slot).caminho;
        EXPECT_GE(b.x + c.x1, b.xMin) << line(b.slot).caminho;
        EXPECT_LE(b.x + c.x2, b.xMax) << line(b.slot).caminho;
        EXPECT_GE(b.y + c.y1, b.yMin) << line(b.slot).caminho;
        EXPECT_LE(b.y + c.y2, b.yMax) << line(b.slot).caminho;
    }
}

TEST_F(ArtTest, CreditsKeepTheirMarginsBlack) {
    BITMAP* b = img(29);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (x < 50 || y < 50) {
                ASSERT_EQ(test::pixel(b, x, y), (test::Rgb{0, 0, 0})) << x << "," << y;
            }
    Box contents;
    for (int y = 50; y < b->h; ++y)
        for (int x = 50; x < b->w; ++x)
            if (!(test::pixel(b, x, y) == test::Rgb{0, 0, 0})) contents.x2 = x;
    EXPECT_GE(contents.x2, 0);
}

TEST_F(ArtTest, HelpPagesShowTheNextArrowInsideItsClickBox) {
    for (int s : {26, 27, 28}) {
        BITMAP* b = img(s);
        test::Rgb background = test::pixel(b, 357, 200);
        int marked = 0, total = 0;
        for (int y = 136; y < 175; ++y)
            for (int x = 361; x < 380; ++x) {
                ++total;
                marked += distance(test::pixel(b, x, y), background) > 60;
            }
        EXPECT_GT(marked, total * 3 / 4) << line(s).caminho;
        // Nothing of it strays to the left of or below the box (right of it
        // there is only the page's border, up to the image's edge).
        for (int y = 130; y < 182; ++y)
            for (int x : {354, 357})
                EXPECT_LT(distance(test::pixel(b, x, y), background), 60) << line(s).caminho << " " << x << "," << y;
        for (int x = 356; x < 385; ++x)
            EXPECT_LT(distance(test::pixel(b, x, 180), background), 60) << line(s).caminho << " " << x;
    }
}

// ---- level files

struct Level {
    int nr;
    size_t paredes;
    std::vector<int> numeros;
};

Level readLevel(int nr) {
    Level n{nr, size_t(nr == 1 ? 4 : nr == 2 ? 2 : 8), {}};
    std::ifstream f(root + "/0" + std::to_string(nr) + ".txt");
    std::string word;
    while (f >> word) {
        size_t used = 0;
        n.numeros.push_back(std::stoi(word, &used));
        EXPECT_EQ(used, word.size()) << "not a whole number: " << word;
    }
    return n;
}

struct Rectangle { int x1, y1, x2, y2; };
struct Objeto { int x, y, velocidade, direcao, raio, smooth, w, h; };

std::vector<Rectangle> paredes(const Level& n) {
    std::vector<Rectangle> v;
    for (size_t i = 0; i < n.paredes; ++i) {
        const int* p = &n.numeros[36 + 4 * i];
        v.push_back({p[0], p[1], p[2], p[3]});
    }
    return v;
}

std::vector<Objeto> objects(const Level& n) {
    // Player, item, Coco, Esposa, Gangster, Ladrao and the size each is drawn at.
    const int sizes[6][2] = {{40, 40}, {39, 50}, {30, 30}, {45, 40}, {43, 42}, {38, 40}};
    std::vector<Objeto> v;
    for (int i = 0; i < 6; ++i) {
        const int* p = &n.numeros[6 * i];
        v.push_back({p[0], p[1], p[2], p[3], p[4], p[5], sizes[i][0], sizes[i][1]});
    }
    return v;
}

bool overlaps(const Rectangle& a, const Rectangle& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

double distanceToRectangle(int x, int y, const Rectangle& r) {
    double dx = std::max({r.x1 - x, 0, x - r.x2});
    double dy = std::max({r.y1 - y, 0, y - r.y2});
    return std::sqrt(dx * dx + dy * dy);
}

class ArtLevelTest : public ArtTest, public testing::WithParamInterface<int> {};

TEST_P(ArtLevelTest, FileHoldsTheRightCountOfNumbers) {
    Level n = readLevel(GetParam());
    EXPECT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
}

TEST_P(ArtLevelTest, ValuesLieInTheirRanges) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    std::vector<Objeto> obj = objects(n);
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
    for (const Rectangle& r : paredes(n)) {
        // Thicker than the 40-pixel box in both ways, so no box can straddle a wall
        // without a corner inside it, and no step of 15 can jump over one.
        EXPECT_GT(r.x2 - r.x1, 40);
        EXPECT_GT(r.y2 - r.y1, 40);
        EXPECT_GE(r.x1, 0); EXPECT_LE(r.x2, 640);
        EXPECT_GE(r.y1, 70); EXPECT_LE(r.y2, 480);
    }
}

TEST_P(ArtLevelTest, StartPlacesAreClearOfWallsAndOfEachOther) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    std::vector<Objeto> obj = objects(n);
    for (size_t i = 0; i < obj.size(); ++i) {
        const Objeto& o = obj[i];
        for (const Rectangle& r : paredes(n)) {
            EXPECT_FALSE(overlaps({o.x, o.y, o.x + std::max(o.w, 40), o.y + std::max(o.h, 40)}, r)) << "object " << i;
            EXPECT_GT(distanceToRectangle(o.x, o.y, r), o.raio) << "object " << i;
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
    const std::vector<Objeto> first = objects(readLevel(1));
    for (int nr : {2, 3}) {
        const std::vector<Objeto> other = objects(readLevel(nr));
        for (size_t i = 0; i < first.size(); ++i)
            EXPECT_EQ(other[i].smooth, first[i].smooth) << "level " << nr << ", object " << i;
    }
}

// Left alone, the face runs straight on at its start heading, wrapping round
// the field's edges. That lane meets a wall, so doing nothing does not pay,
// but only after two seconds of running, time to react; and the item lies
// off it, so the first one has to be steered to.
TEST_P(ArtLevelTest, TheStartLaneMeetsAWallInTimeToReactAndMissesTheItem) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    const std::vector<Objeto> obj = objects(n);
    const Objeto& player = obj[0];
    const Rectangle item{obj[1].x, obj[1].y, obj[1].x + 40, obj[1].y + 40};
    const double a = player.direcao * M_PI / 180;
    double x = player.x, y = player.y;
    int parede = 0;  // the update whose box first has a corner inside a wall
    for (int u = 1; u <= 2000 && !parede; ++u) {
        x += player.velocidade * std::cos(a);
        y += player.velocidade * std::sin(a);
        x = x > 640 ? -30 : x < -30 ? 640 : x;
        y = y > 480 ? 70 : y < 70 ? 480 : y;
        for (const Rectangle& r : paredes(n))
            for (auto [cx, cy] : {std::pair{x, y}, {x + 40, y}, {x, y + 40}, {x + 40, y + 40}})
                if (r.x1 < cx && cx < r.x2 && r.y1 < cy && cy < r.y2) parede = u;
        const Rectangle box{int(x), int(y), int(x) + 40, int(y) + 40};
        ASSERT_FALSE(overlaps(box, item)) << "the item lies on the start lane at update " << u;
    }
    ASSERT_GT(parede, 0) << "the start lane wraps round the field without meeting a wall";
    EXPECT_GE(parede, 62);
}

TEST_P(ArtLevelTest, TheItemMostlyLandsInTheOpen) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    int freeCount = 0, total = 0;
    for (int y = 80; y <= 429; y += 7)
        for (int x = 20; x <= 619; x += 7) {
            ++total;
            bool hits = false;
            for (const Rectangle& r : paredes(n)) hits = hits || overlaps({x, y, x + 40, y + 40}, r);
            freeCount += !hits;
        }
    EXPECT_GT(freeCount, total * 6 / 10);
}

TEST_P(ArtLevelTest, EveryOpenPlaceIsReachableFromTheStart) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    // Places of the player's box on a 5-pixel grid over the wrap-around field.
    const int step = 5, x0 = -30, y0 = 70, columns = 670 / step + 1, lines = 410 / step + 1;
    auto free = [&](int c, int l) {
        Rectangle box{x0 + c * step, y0 + l * step, x0 + c * step + 40, y0 + l * step + 40};
        for (const Rectangle& r : paredes(n))
            if (overlaps(box, r)) return false;
        return true;
    };
    Objeto player = objects(n)[0];
    int c0 = (player.x - x0) / step, l0 = (player.y - y0) / step;
    ASSERT_TRUE(free(c0, l0));
    std::vector<char> seen(columns * lines, 0);
    std::vector<std::pair<int, int>> queue = {{c0, l0}};
    seen[l0 * columns + c0] = 1;
    for (size_t k = 0; k < queue.size(); ++k) {
        auto [c, l] = queue[k];
        const int dc[] = {1, -1, 0, 0}, dl[] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            int nc = (c + dc[d] + columns) % columns, nl = (l + dl[d] + lines) % lines;
            if (!seen[nl * columns + nc] && free(nc, nl)) {
                seen[nl * columns + nc] = 1;
                queue.push_back({nc, nl});
            }
        }
    }
    for (int l = 0; l < lines; ++l)
        for (int c = 0; c < columns; ++c)
            if (free(c, l)) {
                ASSERT_TRUE(seen[l * columns + c]) << x0 + c * step << "," << y0 + l * step;
            }
}

TEST_P(ArtLevelTest, BackgroundShowsTheWallsExactlyOnTheirRectangles) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    BITMAP* b = img(19 + n.nr);
    std::vector<Rectangle> ps = paredes(n);
    // The wall colour is the middle of the first wall; every wall shows it inside.
    test::Rgb parede = test::pixel(b, (ps[0].x1 + ps[0].x2) / 2, (ps[0].y1 + ps[0].y2) / 2);
    const int margin = 9;
    for (const Rectangle& r : ps)
        for (int y = r.y1 + margin; y < r.y2 - margin; y += 3)
            for (int x = r.x1 + margin; x < r.x2 - margin; x += 3)
                ASSERT_LT(distance(test::pixel(b, x, y), parede), 40) << x << "," << y;
    // Outside, away from the walls' edges and their shadows, only floor.
    int samples = 0;
    for (int y = 70; y < 480; y += 4)
        for (int x = 0; x < 640; x += 4) {
            bool near = false;
            for (const Rectangle& r : ps) near = near || distanceToRectangle(x, y, r) < 10;
            if (near) continue;
            ++samples;
            ASSERT_GT(distance(test::pixel(b, x, y), parede), 120) << x << "," << y;
        }
    EXPECT_GT(samples, 5000);
    // And the edge of a wall is sharp: just inside is wall-dark, just outside floor-light.
    for (const Rectangle& r : ps) {
        test::Rgb inside = test::pixel(b, r.x1 + 1, (r.y1 + r.y2) / 2);
        test::Rgb outside = test::pixel(b, r.x1 - 2, (r.y1 + r.y2) / 2);
        EXPECT_GT(distance(inside, outside), 120) << r.x1 << "," << r.y1;
    }
}

// What looks like wall is wall: right up to a wall's edge the picture round
// it is floor, with no shadow or rim outside the rectangle the face bounces
// off. Nothing there is darker than the floor's own marks (a shadow may only
// tint the floor lightly) or near the wall's colour; JPEG blurs the edge
// itself by a pixel.
TEST_P(ArtLevelTest, NothingOutsideAWallLooksLikeWall) {
    Level n = readLevel(GetParam());
    ASSERT_EQ(n.numeros.size(), 36 + 4 * n.paredes);
    BITMAP* b = img(19 + n.nr);
    const std::vector<Rectangle> ps = paredes(n);
    const test::Rgb parede = test::pixel(b, (ps[0].x1 + ps[0].x2) / 2, (ps[0].y1 + ps[0].y2) / 2);
    auto toWall = [&](int x, int y) {
        double d = 1e9;
        for (const Rectangle& r : ps) d = std::min(d, distanceToRectangle(x, y, r));
        return d;
    };
    auto brightness = [](const test::Rgb& c) { return c.r + c.g + c.b; };
    int darkestFloor = 3 * 255;
    for (int y = 70; y < 480; y += 2)
        for (int x = 0; x < 640; x += 2)
            if (toWall(x, y) > 20) darkestFloor = std::min(darkestFloor, brightness(test::pixel(b, x, y)));
    const int jpegSlack = 12;
    int near = 0;
    for (int y = 70; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double d = toWall(x, y);
            if (d < 2 || d > 12) continue;
            ++near;
            const test::Rgb c = test::pixel(b, x, y);
            ASSERT_GE(brightness(c), darkestFloor - jpegSlack) << x << "," << y << " " << c;
            ASSERT_GT(distance(c, parede), 120) << x << "," << y << " " << c;
        }
    EXPECT_GT(near, 1000);
}

TEST_P(ArtLevelTest, PlayerFaceStandsOutOnTheFloor) {
    Level n = readLevel(GetParam());
    BITMAP* floorPicture = img(19 + n.nr);
    test::Rgb floorColour = test::pixel(floorPicture, 2, 470);
    for (int s : {10, 11}) {
        BITMAP* face = img(s);
        test::Rgb middle = test::pixel(face, face->w / 2, face->h / 4);
        test::Rgb outline{255, 255, 255};
        for (int x = 0; x < face->w / 2; ++x)
            if (alpha(face, x, face->h / 2) == 255) {
                outline = test::pixel(face, x, face->h / 2);
                break;
            }
        EXPECT_GT(distance(middle, floorColour), 90) << line(s).caminho;
        EXPECT_GT(distance(outline, floorColour), 300) << line(s).caminho;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ArtLevelTest, testing::Values(1, 2, 3));

}  // namespace
