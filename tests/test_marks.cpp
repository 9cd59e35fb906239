// The pictures drawn at the face each frame (its heading marker, the marks
// of what happened to it): where they go, and that they leave nothing
// behind, over the panel band and at the screen's edges.
#include <gtest/gtest.h>

#include "marks/feedback_marks.h"
#include "marks/heading_marker.h"
#include "tests/test_access.h"
#include "tests/support.h"

namespace {

const short LEVEL_SLOT = 20, PANEL_SLOT = 25;

class Marks : public ::testing::Test {
protected:
    void SetUp() override {
        teste::iniciaAllegro();
        set_alpha_blender();
        picture(SLOT_FACE, 40, 40, makeacol32(250, 250, 0, 255));
        // A floor whose every pixel differs from its neighbours', under a
        // panel opaque above y 70 and see-through below.
        BITMAP* floor = picture(LEVEL_SLOT, 640, 480, 0);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) putpixel(floor, x, y, makecol32(x % 256, y % 256, (x * 7 + y * 3) % 256));
        BITMAP* panel = picture(PANEL_SLOT, 640, 480, makeacol32(0, 0, 0, 0));
        rectfill(panel, 0, 0, 639, 69, makeacol32(200, 30, 30, 255));
        // Each mark's picture larger than the face, so it reaches past it.
        for (short s = SLOT_MARK_WALL; s <= SLOT_MARK_ITEM + 2; ++s) picture(s, 56, 50, slotColour(s));
        for (short i = 0; i < 16; ++i) picture(SLOT_HEADING + i, 12, 10, slotColour(SLOT_HEADING + i));
        render.desenhaImagem(LEVEL_SLOT, 0, 0);
        render.desenhaImagemTrans(PANEL_SLOT, 0, 0);
        background = create_bitmap_ex(32, 640, 480);
        blit(screen, background, 0, 0, 0, 0, 640, 480);
    }
    void TearDown() override { destroy_bitmap(background); }

    BITMAP* picture(short slot, int w, int h, int colour) {
        BITMAP* b = create_bitmap_ex(32, w, h);
        clear_to_color(b, colour);
        return AcessoTeste::imagem(render, slot) = b;
    }
    static int slotColour(short slot) { return makeacol32(slot, 255 - slot, 128, 255); }
    static short slotAt(int x, int y) { return getr32(getpixel(screen, x, y)); }
    // Pixels whose colour differs from the screen as the game started it.
    int trails() const {
        int n = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) n += !(teste::pixel(screen, x, y) == teste::pixel(background, x, y));
        return n;
    }

    Render render;
    BITMAP* background = nullptr;
};

UpdateReport wallBump() {
    UpdateReport r;
    r.wallBumps = 1;
    return r;
}
UpdateReport enemyHit(Enemy e) {
    UpdateReport r;
    r.hitBy[e] = true;
    return r;
}
UpdateReport itemTaken() {
    UpdateReport r;
    r.itemCollected = true;
    return r;
}

}  // namespace

TEST(HeadingMarker, NearestOfSixteenDirectionsOnTheRim) {
    const struct {
        short heading, index, dx, dy;
    } cases[] = {
        {0, 0, 40, 20},   {11, 0, 40, 20},   {12, 1, 38, 28},     {33, 1, 38, 28},    {34, 2, 34, 34},
        {45, 2, 34, 34},  {90, 4, 20, 40},   {180, 8, 0, 20},     {270, 12, 20, 0},   {348, 15, 38, 12},
        {349, 0, 40, 20}, {-90, 12, 20, 0},  {450, 4, 20, 40},    {-32768, 0, 40, 20}, {32767, 0, 40, 20},
    };
    for (const auto& c : cases) {
        const HeadingPlace p = headingPlace(c.heading, 40);
        EXPECT_EQ(p.index, c.index) << "heading " << c.heading;
        EXPECT_EQ(p.dx, c.dx) << "heading " << c.heading;
        EXPECT_EQ(p.dy, c.dy) << "heading " << c.heading;
    }
}

// Each kind shows its own three pictures, one a frame, where it happened;
// the erase after the last gives back the floor or the panel, also where
// the mark reached over the band or past an edge.
TEST_F(Marks, EachMarkShowsThreeFramesThenLeavesNoTrail) {
    const struct {
        UpdateReport report;
        short firstSlot;
    } kinds[] = {{wallBump(), SLOT_MARK_WALL}, {enemyHit(ENEMY_COCO), SLOT_MARK_HIT}, {itemTaken(), SLOT_MARK_ITEM}};
    const struct {
        float x, y;
    } places[] = {{300, 240}, {300, 70}, {-30, 200}, {630, 300}, {300, 480}, {-30, 70}};
    for (const auto& k : kinds) {
        for (const auto& p : places) {
            FeedbackMarks marks;
            DrawnSpot heading;
            for (short update = 0; update <= FeedbackMarks::FRAMES; ++update) {
                marks.note(update == 0 ? k.report : UpdateReport(), p.x, p.y);
                marks.erase(render, LEVEL_SLOT);
                heading.erase(render, LEVEL_SLOT);
                if (update == FeedbackMarks::FRAMES) break;
                drawHeadingMarker(heading, render, update * 120, p.x, p.y);
                marks.draw(render);
                if (p.x == 300 && p.y == 240) {
                    EXPECT_EQ(slotAt(320, 260), k.firstSlot + update) << "update " << update;
                }
            }
            EXPECT_EQ(marks.showing(), FeedbackMarks::Kind::None);
            EXPECT_EQ(trails(), 0) << "mark " << k.firstSlot << " at " << p.x << "," << p.y;
        }
    }
}

TEST_F(Marks, TheNewestMarkWinsAndAHitOutranksTheRest) {
    FeedbackMarks marks;
    marks.note(wallBump(), 100, 100);
    marks.draw(render);
    marks.note(UpdateReport(), 300, 300);
    EXPECT_EQ(marks.frame(), 1);
    marks.note(itemTaken(), 400, 300);
    marks.erase(render, LEVEL_SLOT);
    marks.draw(render);
    EXPECT_EQ(marks.showing(), FeedbackMarks::Kind::ItemTaken);
    EXPECT_EQ(marks.frame(), 0);
    EXPECT_EQ(slotAt(420, 320), SLOT_MARK_ITEM);
    EXPECT_EQ(teste::pixel(screen, 120, 120), teste::pixel(background, 120, 120)) << "the older mark's place is clear";

    UpdateReport all = itemTaken();
    all.wallBumps = 2;
    marks.note(all, 0, 0);
    EXPECT_EQ(marks.showing(), FeedbackMarks::Kind::WallBump);
    all.hitBy[ENEMY_GANGSTER] = true;
    marks.note(all, 0, 0);
    EXPECT_EQ(marks.showing(), FeedbackMarks::Kind::EnemyHit);
}
