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
    mouse_b = 1;
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    input.poll();
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    input.poll();
    EXPECT_TRUE(input.clicked()) << "let go and pressed again within a frame";
    mouse_b = 0;
    input.poll();
    mouse_callback(MOUSE_FLAG_RIGHT_DOWN);
    mouse_callback(MOUSE_FLAG_RIGHT_UP);
    input.poll();
    EXPECT_FALSE(input.clicked()) << "the right button";
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    input.forgetHeld();
    EXPECT_FALSE(input.clicked()) << "a click from an earlier screen";
}

// The keyboard driver reports each key change as it comes, after setting the
// key's state: a key let go and pressed again within one frame, or tapped
// between two, is one press; the driver's repeats of a held key are none.
TEST_F(InputFrames, KeysBetweenTwoFramesCountAsTheDriverReportsThem) {
    input.poll();
    ASSERT_NE(keyboard_lowlevel_callback, nullptr);
    key[KEY_P] = 1;
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    ASSERT_TRUE(input.pressed(KEY_P));
    keyboard_lowlevel_callback(KEY_P);  // the driver's repeat
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P)) << "a repeat of a held key";
    keyboard_lowlevel_callback(KEY_P | 0x80);
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_TRUE(input.pressed(KEY_P)) << "let go and pressed again within a frame";
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P)) << "counted twice";
    key[KEY_P] = 0;
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.poll();
    keyboard_lowlevel_callback(KEY_P);
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.poll();
    EXPECT_TRUE(input.pressed(KEY_P)) << "tapped between two frames";
    EXPECT_FALSE(input.held(KEY_P));
    keyboard_lowlevel_callback(KEY_P);
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.forgetHeld();
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P)) << "a tap from an earlier screen";
}

// A frame can read the state between the driver setting it and reporting
// it: the press is seen this frame and reported on the next, and is one.
TEST_F(InputFrames, APressReportedAFrameLateCountsOnce) {
    input.poll();
    key[KEY_P] = 1;
    input.poll();
    EXPECT_TRUE(input.pressed(KEY_P));
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P)) << "the late report counted again";
    keyboard_lowlevel_callback(KEY_P | 0x80);
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_TRUE(input.pressed(KEY_P)) << "a real second press after the late report";
    key[KEY_P] = 0;
    keyboard_lowlevel_callback(KEY_P | 0x80);
    mouse_b = 1;
    input.poll();
    EXPECT_TRUE(input.clicked());
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_b = 0;
    input.poll();
    EXPECT_FALSE(input.clicked()) << "the late report of a click counted again";
    key[KEY_P] = 1;
    input.poll();
    ASSERT_TRUE(input.pressed(KEY_P));
    input.forgetHeld();
    input.poll();
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_FALSE(input.pressed(KEY_P)) << "a report two polls late, after a change of screen";
    key[KEY_P] = 0;
    keyboard_lowlevel_callback(KEY_P | 0x80);
}

}  // namespace
