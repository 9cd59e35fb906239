// The window's geometry and what reaches it: the factor for a desktop (whole
// or a fraction), a chosen scale that fits, the mouse mapped back to picture
// pixels, and only changed parts sent, each a sharp block that scales back
// down to the game's own picture.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "display/dirty_rects.h"
#include "display/presenter.h"
#include "display/viewport.h"
#include "input/input.h"
#include "tests/headless.h"

namespace {

TEST(WindowFactor, LargestThatFitsWithRoomForPanels) {
    struct Case { int w, h, factor; };
    for (Case c : {Case{640, 480, 1}, Case{800, 600, 1}, Case{1024, 768, 1}, Case{1280, 1024, 1},
                   Case{1366, 768, 1}, Case{1600, 1200, 2}, Case{1920, 1080, 2}, Case{2560, 1440, 2},
                   Case{2560, 1600, 3}, Case{3840, 2160, 4}, Case{7680, 4320, 8}, Case{20000, 20000, 8},
                   Case{0, 0, 1}, Case{-1, 900, 1}, Case{300, 200, 1}})
        EXPECT_EQ(windowFactor(c.w, c.h), c.factor) << c.w << "x" << c.h;
}

TEST(WindowFactor, FullscreenUsesTheWholeScreen) {
    EXPECT_EQ(fullscreenFactor(1280, 960), 2);
    EXPECT_EQ(fullscreenFactor(1920, 1080), 2);
    EXPECT_EQ(fullscreenFactor(1600, 1200), 2);
    EXPECT_EQ(fullscreenFactor(3840, 2160), 4);
    EXPECT_EQ(fullscreenFactor(640, 480), 1);
    EXPECT_EQ(fullscreenFactor(0, 0), 1);
}

// The factor as window size: a fraction shows as a size no whole factor gives.
std::pair<int, int> sizeAt(Scale s) { return {s.width(), s.height()}; }

TEST(FractionalFactor, ChosenWhenAWholeOneLeavesAQuarterOfTheHeight) {
    using Size = std::pair<int, int>;
    // 1280x720: a whole factor of 1 leaves 240 of 720 rows unused.
    EXPECT_EQ(sizeAt(fullscreenScale(1280, 720, false)), (Size{960, 720}));
    EXPECT_EQ(sizeAt(windowScale(1280, 720, false)), (Size{864, 648})) << "90% of the height, for panels";
    EXPECT_EQ(sizeAt(fullscreenScale(1366, 768, false)), (Size{1024, 768}));
    EXPECT_EQ(sizeAt(fullscreenScale(1024, 768, false)), (Size{1024, 768}));
    EXPECT_EQ(sizeAt(fullscreenScale(800, 1280, false)), (Size{800, 600})) << "a narrow screen: its width";
    // Whole factors that leave at most a quarter stay whole.
    for (auto [w, h] : {Size{1920, 1080}, Size{1600, 1200}, Size{800, 600}, Size{640, 480}}) {
        EXPECT_TRUE(fullscreenScale(w, h, false).whole()) << w << "x" << h;
        EXPECT_TRUE(windowScale(w, h, false).whole()) << w << "x" << h;
    }
    EXPECT_EQ(sizeAt(windowScale(1920, 1080, false)), (Size{1280, 960}));
    EXPECT_EQ(sizeAt(fullscreenScale(1280, 960, false)), (Size{1280, 960}));
    EXPECT_EQ(sizeAt(windowScale(1280, 960, false)), (Size{1152, 864})) << "factor 2 does not fit with the panels";
    // Never smaller than the picture, never past the largest factor, and
    // whole only when asked.
    EXPECT_EQ(sizeAt(fullscreenScale(600, 400, false)), (Size{640, 480}));
    EXPECT_EQ(sizeAt(windowScale(0, 0, false)), (Size{640, 480}));
    EXPECT_EQ(sizeAt(fullscreenScale(20000, 20000, false)), (Size{5120, 3840}));
    EXPECT_EQ(sizeAt(fullscreenScale(1280, 720, true)), (Size{640, 480}));
    EXPECT_EQ(sizeAt(windowScale(1366, 768, true)), (Size{640, 480}));
}

TEST(FractionalFactor, EveryRowOfBlocksHasTheSamePatternAndTheMouseFindsItsPixel) {
    // At 3/2 the columns alternate one and two window pixels wide.
    const Viewport v = centredViewport(1280, 720, fullscreenScale(1280, 720, false));
    EXPECT_EQ(v.left, 160);
    EXPECT_EQ(v.top, 0);
    int x = 0, y = 0;
    const int expected[] = {0, 1, 1, 2, 3, 3, 4, 5, 5};
    for (int wx = 0; wx < 9; ++wx) {
        ASSERT_TRUE(toPicture(v, 160 + wx, wx, x, y));
        EXPECT_EQ(x, expected[wx]) << "window column " << wx;
        EXPECT_EQ(y, expected[wx]) << "window row " << wx;
    }
    ASSERT_TRUE(toPicture(v, 160 + 959, 719, x, y));
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    EXPECT_FALSE(toPicture(v, 159, 300, x, y));
    EXPECT_FALSE(toPicture(v, 160 + 960, 300, x, y));
    EXPECT_EQ(x, -1);
    // At 27/20 (864 wide): each column's width is floor((x+1)k) - floor(xk),
    // and every window column maps back to the column that covers it.
    const Viewport w = centredViewport(864, 648, windowScale(1280, 720, false));
    for (int wx = 0, px = 0; wx < 864; ++wx) {
        if (wx >= (px + 1) * 27 / 20) ++px;
        ASSERT_TRUE(toPicture(w, wx, 647, x, y));
        ASSERT_EQ(x, px) << "window column " << wx;
        ASSERT_EQ(y, 479);
    }
}

TEST(ScaleLimit, AChosenScaleIsLoweredToTheLargestThatFitsTheDesktop) {
    EXPECT_EQ(fittingFactor(8, 800, 600), 1);
    EXPECT_EQ(fittingFactor(3, 1600, 1200), 2);
    EXPECT_EQ(fittingFactor(2, 1280, 960), 2) << "exactly the desktop's size fits";
    EXPECT_EQ(fittingFactor(2, 1279, 960), 1);
    EXPECT_EQ(fittingFactor(4, 3840, 2160), 4);
    EXPECT_EQ(fittingFactor(1, 320, 200), 1) << "never below 1";
    EXPECT_EQ(fittingFactor(5, 0, 0), 5) << "an unknown desktop limits nothing";
}

TEST(MouseMapping, EveryFactorMapsBlocksToTheirPixel) {
    for (int f = 1; f <= 3; ++f) {
        const Viewport v = centredViewport(640 * f, 480 * f, Scale{f});
        EXPECT_EQ(v.left, 0);
        EXPECT_EQ(v.top, 0);
        int x = 0, y = 0;
        for (int px : {0, 1, 115, 229, 230, 639})
            for (int k = 0; k < f; ++k) {
                ASSERT_TRUE(toPicture(v, px * f + k, 177 * f + k, x, y));
                EXPECT_EQ(x, px) << "factor " << f;
                EXPECT_EQ(y, 177);
            }
        EXPECT_FALSE(toPicture(v, 640 * f, 10, x, y)) << "just past the right edge";
        EXPECT_FALSE(toPicture(v, 10, 480 * f, x, y));
    }
}

TEST(MouseMapping, FullscreenBordersAreNoPicture) {
    // 1600x1200 at factor 2: the picture is 1280x960 with 160 and 120 of black around it.
    const Viewport v = centredViewport(1600, 1200, fullscreenScale(1600, 1200, false));
    EXPECT_EQ(v.scale.num, 2);
    EXPECT_TRUE(v.scale.whole());
    EXPECT_EQ(v.left, 160);
    EXPECT_EQ(v.top, 120);
    int x = 0, y = 0;
    ASSERT_TRUE(toPicture(v, 160, 120, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(toPicture(v, 160 + 1279, 120 + 959, x, y));
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    for (auto [wx, wy] : {std::pair{159, 500}, {1440, 500}, {800, 119}, {800, 1080}, {0, 0}, {1599, 1199}}) {
        EXPECT_FALSE(toPicture(v, wx, wy, x, y)) << wx << "," << wy;
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
    }
    // 1920x1080: factor 2, borders left and right, 60 above and below.
    const Viewport wide = centredViewport(1920, 1080, fullscreenScale(1920, 1080, false));
    EXPECT_EQ(wide.left, 320);
    EXPECT_EQ(wide.top, 60);
}

class InputMapping : public test::Headless {
protected:
    void TearDown() override {
        Headless::TearDown();
        currentViewport() = Viewport();
        mouse_x = mouse_y = 0;
    }
};

TEST_F(InputMapping, TheGameSeesPicturePixelsAndNothingOnTheBorder) {
    currentViewport() = centredViewport(1600, 1200, Scale{2});
    Jogo jogo;
    mouse_x = 160 + 2 * 115 + 1;
    mouse_y = 120 + 2 * 177;
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(JogoTestAccess::input(jogo).mouseX(), 115);
    EXPECT_EQ(JogoTestAccess::input(jogo).mouseY(), 177);
    mouse_x = 100;  // the black border left of the picture
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(JogoTestAccess::input(jogo).mouseX(), -1);
    EXPECT_EQ(JogoTestAccess::input(jogo).mouseY(), -1);
}

TEST(DirtyRectList, ClipsIgnoresEmptyAndGivesUpOnTooMany) {
    DirtyRects d;
    d.add(-10, -5, 30, 20);
    d.add(630, 470, 50, 50);
    d.add(700, 10, 5, 5);
    d.add(10, 10, 0, 5);
    ASSERT_EQ(d.rects().size(), 2u);
    EXPECT_EQ(d.rects()[0].x, 0);
    EXPECT_EQ(d.rects()[0].y, 0);
    EXPECT_EQ(d.rects()[0].w, 20);
    EXPECT_EQ(d.rects()[0].h, 15);
    EXPECT_EQ(d.rects()[1].w, 10);
    EXPECT_EQ(d.rects()[1].h, 10);
    for (int i = 0; i < 100; ++i) d.add(i, i, 3, 3);
    ASSERT_EQ(d.rects().size(), 1u);
    EXPECT_EQ(d.rects()[0].w, 640);
    EXPECT_EQ(d.rects()[0].h, 480);
    d.add(1, 1, 1, 1);
    EXPECT_EQ(d.rects().size(), 1u) << "the whole picture covers anything more";
}

class Presenting : public ::testing::Test {
protected:
    void SetUp() override {
        test::startAllegro();
        picture = create_bitmap_ex(32, 640, 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) putpixel(picture, x, y, makecol32(x % 256, y % 256, (x * 7 + y * 3) % 256));
    }
    void TearDown() override {
        destroy_bitmap(picture);
        if (target) destroy_bitmap(target);
    }
    // A window of w x h showing the picture at factor f, centred.
    void window(int w, int h, Scale s) {
        target = create_bitmap_ex(32, w, h);
        clear_to_color(target, makecol32(1, 2, 3));
        presenter.reset(centredViewport(w, h, s));
    }
    // Whether every block of the window holds its picture pixel.
    bool showsPicture() {
        const Viewport& v = presenter.viewport();
        int px = 0, py = 0;
        for (int y = 0; y < v.scale.height(); ++y)
            for (int x = 0; x < v.scale.width(); ++x)
                if (!toPicture(v, v.left + x, v.top + y, px, py) ||
                    getpixel(target, v.left + x, v.top + y) != getpixel(picture, px, py))
                    return false;
        return true;
    }
    BITMAP* picture = nullptr;
    BITMAP* target = nullptr;
    Presenter presenter;
    DirtyRects changes;
};

TEST_F(Presenting, MagnifiedPictureScalesBackToTheGamesOwn) {
    for (int f = 1; f <= 3; ++f) {
        if (target) destroy_bitmap(target);
        window(640 * f, 480 * f, Scale{f});
        EXPECT_EQ(presenter.present(picture, target, changes), 640L * 480) << "the first time, everything";
        EXPECT_TRUE(showsPicture()) << "factor " << f;
        EXPECT_TRUE(changes.rects().empty());
    }
}

TEST_F(Presenting, OnlyWhatChangedIsSentAndTheBorderStaysBlack) {
    window(1600, 1200, Scale{2});
    presenter.present(picture, target, changes);
    EXPECT_EQ(test::pixel(target, 159, 600), (test::Rgb{1, 2, 3})) << "the border is not drawn on";

    // Drawn again with the same pixels, as the menu does every frame: nothing goes.
    changes.add(250, 50, 390, 320);
    EXPECT_EQ(presenter.present(picture, target, changes), 0);

    // One changed pixel inside a reported rectangle: that pixel only.
    putpixel(picture, 300, 200, makecol32(255, 255, 255));
    changes.add(250, 50, 390, 320);
    EXPECT_EQ(presenter.present(picture, target, changes), 1);
    EXPECT_TRUE(showsPicture());

    // A change nobody reported is not looked for.
    putpixel(picture, 10, 10, makecol32(255, 255, 255));
    EXPECT_EQ(presenter.present(picture, target, changes), 0);
    // After a reset (a new window) the whole picture goes again.
    presenter.reset(presenter.viewport());
    EXPECT_EQ(presenter.present(picture, target, changes), 640L * 480);
    EXPECT_TRUE(showsPicture());
}

TEST_F(Presenting, AFractionalFactorSentInPartsGivesTheWindowSentWhole) {
    window(1280, 720, Scale{3, 2});
    presenter.present(picture, target, changes);
    EXPECT_TRUE(showsPicture());
    // Rectangles starting on odd and even columns and rows, where a stretch
    // of each alone would round its edges differently.
    for (Rect r : {Rect{1, 1, 3, 3}, Rect{101, 50, 40, 41}, Rect{300, 201, 39, 40}, Rect{600, 400, 40, 80}}) {
        rectfill(picture, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, makecol32(r.x % 256, 200, r.y % 256));
        changes.add(r.x, r.y, r.w, r.h);
    }
    presenter.present(picture, target, changes);
    EXPECT_TRUE(showsPicture());
    EXPECT_EQ(test::pixel(target, 159, 300), (test::Rgb{1, 2, 3})) << "the border is not drawn on";
    EXPECT_EQ(test::pixel(target, 1120, 300), (test::Rgb{1, 2, 3}));
}

TEST_F(Presenting, ChangedBoxIsTheSmallestHoldingEveryChange) {
    window(640, 480, Scale{1});
    presenter.present(picture, target, changes);
    rectfill(picture, 100, 120, 104, 121, makecol32(9, 9, 9));
    putpixel(picture, 130, 140, makecol32(9, 9, 9));
    changes.add(0, 0, 640, 480);
    EXPECT_EQ(presenter.present(picture, target, changes), 31L * 21);
    EXPECT_TRUE(showsPicture());
}

}  // namespace
