// Keys and buttons act once, on the frame they go down.
#include <gtest/gtest.h>

#include "input/input.h"
#include "tests/support.h"

namespace {

class InputFrames : public ::testing::Test {
protected:
    void SetUp() override { teste::iniciaAllegro(); }
    void TearDown() override {
        mouse_b = 0;
        key[KEY_P] = 0;
    }
    Input input;
};

TEST_F(InputFrames, AKeyHeldForManyFramesIsPressedOnce) {
    int presses = 0;
    key[KEY_P] = 1;
    for (int f = 0; f < 30; ++f) {
        input.poll();
        presses += input.pressed(KEY_P);
        EXPECT_TRUE(input.held(KEY_P));
    }
    key[KEY_P] = 0;
    input.poll();
    key[KEY_P] = 1;
    input.poll();
    EXPECT_EQ(presses + input.pressed(KEY_P), 2);
}

TEST_F(InputFrames, OnlyTheLeftButtonGoingDownClicks) {
    mouse_x = 12;
    mouse_y = 34;
    mouse_b = 1;
    input.poll();
    EXPECT_TRUE(input.clicked());
    EXPECT_EQ(input.mouseX(), 12);
    EXPECT_EQ(input.mouseY(), 34);
    input.poll();
    EXPECT_FALSE(input.clicked()) << "held";
    mouse_b = 3;
    input.poll();
    mouse_b = 1;
    input.poll();
    EXPECT_FALSE(input.clicked()) << "the left button never went up";
    mouse_b = 2;
    input.poll();
    mouse_b = 3;
    input.poll();
    EXPECT_FALSE(input.clicked()) << "both buttons are not a click";
}

TEST_F(InputFrames, APressFromAnEarlierScreenIsForgotten) {
    key[KEY_P] = 1;
    mouse_b = 1;
    input.forgetHeld();
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P));
    EXPECT_FALSE(input.clicked());
    EXPECT_TRUE(input.held(KEY_P));
}

// Allegro's mouse driver reports each button change as it comes; a click
// that went down and up between two frames still counts, once.
TEST_F(InputFrames, AClickBetweenTwoFramesCountsOnce) {
    input.poll();
    ASSERT_NE(mouse_callback, nullptr);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    input.poll();
    EXPECT_TRUE(input.clicked());
    input.poll();
    EXPECT_FALSE(input.clicked()) << "counted twice";
    mouse_callback(MOUSE_FLAG_RIGHT_DOWN);
    mouse_callback(MOUSE_FLAG_RIGHT_UP);
    input.poll();
    EXPECT_FALSE(input.clicked()) << "the right button";
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    input.forgetHeld();
    EXPECT_FALSE(input.clicked()) << "a click from an earlier screen";
}

}  // namespace
