// Which heading marker shows and where, and which mark the face shows after
// each update. The drawing and erasing are in the play screen's tests.
#include <gtest/gtest.h>

#include "marks/feedback_marks.h"
#include "marks/heading_marker.h"

TEST(HeadingMarker, NearestOfSixteenDirectionsOnTheRim) {
    const struct {
        short heading, index, dx, dy;
    } cases[] = {
        {0, 0, 40, 20},   {11, 0, 40, 20},  {12, 1, 38, 28},    {33, 1, 38, 28},    {34, 2, 34, 34},
        {45, 2, 34, 34},  {90, 4, 20, 40},  {180, 8, 0, 20},    {270, 12, 20, 0},   {348, 15, 38, 12},
        {349, 0, 40, 20}, {-90, 12, 20, 0}, {450, 4, 20, 40},   {-32768, 0, 40, 20}, {32767, 0, 40, 20},
    };
    for (const auto& c : cases) {
        const HeadingPlace p = headingPlace(c.heading, 40);
        EXPECT_EQ(p.index, c.index) << "heading " << c.heading;
        EXPECT_EQ(p.dx, c.dx) << "heading " << c.heading;
        EXPECT_EQ(p.dy, c.dy) << "heading " << c.heading;
    }
}

// A new mark starts over in place of one still showing; in one update a
// hit outranks a bump, a bump an item.
TEST(FeedbackMarks, TheNewestMarkWinsAndAHitOutranksTheRest) {
    using Kind = FeedbackMarks::Kind;
    UpdateReport nothing, wall, item, all;
    wall.wallBumps = 1;
    item.itemCollected = all.itemCollected = true;
    all.wallBumps = 2;
    FeedbackMarks marks;
    for (const UpdateReport* r : {&wall, &nothing, &item}) marks.note(*r, 100, 100);
    EXPECT_EQ(marks.showing(), Kind::ItemTaken);
    EXPECT_EQ(marks.frame(), 0);
    marks.note(all, 100, 100);
    EXPECT_EQ(marks.showing(), Kind::WallBump);
    all.hitBy[ENEMY_GANGSTER] = true;
    marks.note(all, 100, 100);
    EXPECT_EQ(marks.showing(), Kind::EnemyHit);
}
