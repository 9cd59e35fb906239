// Keys and buttons act once, on the frame they go down; keyboard and pad
// become the same actions; lumo.cfg's [keys] names the player's keys.
#include <gtest/gtest.h>

#include "input/input.h"
#include "tests/headless.h"

#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

class InputFrames : public test::Headless {
protected:
    void TearDown() override {
        Headless::TearDown();
        num_joysticks = 0;
        joy[0] = JOYSTICK_INFO();
    }
    // The actions held after one poll with these keys down.
    std::vector<Action> heldWith(std::initializer_list<int> keys, Screen screen = Screen::Menu) {
        test::releaseInput();
        for (int k : keys) key[k] = 1;
        input.poll(screen);
        return heldNow();
    }
    std::vector<Action> heldNow() const {
        std::vector<Action> held;
        for (int a = 0; a < static_cast<int>(Action::Count); ++a)
            if (input.held(static_cast<Action>(a))) held.push_back(static_cast<Action>(a));
        return held;
    }
    // An Xbox-style pad as Allegro reports it: a stick, the triggers, a
    // second stick, then the d-pad; eight buttons.
    void plugPad() {
        num_joysticks = 1;
        joy[0].num_sticks = 4;
        for (int s = 0; s < 4; ++s) joy[0].stick[s].num_axis = s == 1 ? 1 : 2;
        joy[0].num_buttons = 8;
    }
    Input input;
};

using A = Action;

TEST_F(InputFrames, AKeyHeldForManyFramesIsPressedOnce) {
    int presses = 0;
    key[KEY_P] = 1;
    for (int f = 0; f < 30; ++f) {
        input.poll();
        presses += input.pressed(Action::Pause);
        EXPECT_TRUE(input.held(Action::Pause));
    }
    key[KEY_P] = 0;
    input.poll();
    key[KEY_P] = 1;
    input.poll();
    EXPECT_EQ(presses + input.pressed(Action::Pause), 2);
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
    EXPECT_FALSE(input.pressed(Action::Pause));
    EXPECT_FALSE(input.clicked());
    EXPECT_TRUE(input.held(Action::Pause));
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
    ASSERT_TRUE(input.pressed(Action::Pause));
    keyboard_lowlevel_callback(KEY_P);  // the driver's repeat
    input.poll();
    EXPECT_FALSE(input.pressed(Action::Pause)) << "a repeat of a held key";
    keyboard_lowlevel_callback(KEY_P | 0x80);
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_TRUE(input.pressed(Action::Pause)) << "let go and pressed again within a frame";
    input.poll();
    EXPECT_FALSE(input.pressed(Action::Pause)) << "counted twice";
    key[KEY_P] = 0;
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.poll();
    keyboard_lowlevel_callback(KEY_P);
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.poll();
    EXPECT_TRUE(input.pressed(Action::Pause)) << "tapped between two frames";
    EXPECT_FALSE(input.held(Action::Pause));
    keyboard_lowlevel_callback(KEY_P);
    keyboard_lowlevel_callback(KEY_P | 0x80);
    input.forgetHeld();
    input.poll();
    EXPECT_FALSE(input.pressed(Action::Pause)) << "a tap from an earlier screen";
}

// A frame can read the state between the driver setting it and reporting
// it: the press is seen this frame and reported on the next, and is one.
TEST_F(InputFrames, APressReportedAFrameLateCountsOnce) {
    input.poll();
    key[KEY_P] = 1;
    input.poll();
    EXPECT_TRUE(input.pressed(Action::Pause));
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_FALSE(input.pressed(Action::Pause)) << "the late report counted again";
    keyboard_lowlevel_callback(KEY_P | 0x80);
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_TRUE(input.pressed(Action::Pause)) << "a real second press after the late report";
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
    ASSERT_TRUE(input.pressed(Action::Pause));
    input.forgetHeld();
    input.poll();
    keyboard_lowlevel_callback(KEY_P);
    input.poll();
    EXPECT_FALSE(input.pressed(Action::Pause)) << "a report two polls late, after a change of screen";
    key[KEY_P] = 0;
    keyboard_lowlevel_callback(KEY_P | 0x80);
}

TEST_F(InputFrames, EachKeyBecomesItsAction) {
    EXPECT_EQ(heldWith({KEY_A}), (std::vector<A>{A::TurnClockwise}));
    EXPECT_EQ(heldWith({KEY_RIGHT}), (std::vector<A>{A::TurnClockwise, A::Right}));
    EXPECT_EQ(heldWith({KEY_D}), (std::vector<A>{A::TurnAnticlockwise}));
    EXPECT_EQ(heldWith({KEY_LEFT}), (std::vector<A>{A::TurnAnticlockwise, A::Left}));
    EXPECT_EQ(heldWith({KEY_PGDN}), (std::vector<A>{A::Right}));
    EXPECT_EQ(heldWith({KEY_PGUP}), (std::vector<A>{A::Left}));
    EXPECT_EQ(heldWith({KEY_UP, KEY_DOWN}), (std::vector<A>{A::Up, A::Down}));
    for (int k : {KEY_ENTER, KEY_ENTER_PAD, KEY_SPACE}) EXPECT_EQ(heldWith({k}), (std::vector<A>{A::Confirm}));
    EXPECT_EQ(heldWith({KEY_ALT, KEY_ENTER}), (std::vector<A>{A::Fullscreen})) << "Alt+Enter confirms nothing";
    EXPECT_EQ(heldWith({KEY_ESC}), (std::vector<A>{A::Back}));
    EXPECT_EQ(heldWith({KEY_P, KEY_M}), (std::vector<A>{A::Pause, A::Mute}));
    EXPECT_EQ(heldWith({KEY_1, KEY_2_PAD, KEY_3}), (std::vector<A>{A::Level1, A::Level2, A::Level3}));
    EXPECT_EQ(heldWith({KEY_W, KEY_F1, KEY_TAB}), std::vector<A>{});
}

TEST_F(InputFrames, ThePlayersKeysReplaceTheDefaults) {
    const std::string texts[] = {"d right", "A LEFT", "", "f12 0_pad"};
    input.configure(parseKeyBindings(texts), GamepadLayout());
    EXPECT_EQ(heldWith({KEY_D}), (std::vector<A>{A::TurnClockwise}));
    EXPECT_EQ(heldWith({KEY_A}), (std::vector<A>{A::TurnAnticlockwise}));
    EXPECT_EQ(heldWith({KEY_P, KEY_0_PAD}), (std::vector<A>{A::Pause, A::Mute}));
    EXPECT_EQ(heldWith({KEY_M}), std::vector<A>{}) << "M is no longer the mute key";
}

TEST_F(InputFrames, ThePadSteersConfirmsAndGoesBack) {
    plugPad();
    joy[0].stick[0].axis[0].pos = 40;  // inside the dead zone, a third of the range
    input.poll(Screen::Play);
    EXPECT_EQ(heldNow(), std::vector<A>{});
    joy[0].stick[0].axis[0].pos = 50;
    input.poll(Screen::Play);
    EXPECT_EQ(heldNow(), (std::vector<A>{A::TurnClockwise, A::Right}));
    joy[0].stick[0].axis[0].pos = 0;
    joy[0].stick[3].axis[0].pos = -128;  // the d-pad, the last stick
    joy[0].stick[3].axis[1].pos = 128;
    input.poll(Screen::Play);
    EXPECT_EQ(heldNow(), (std::vector<A>{A::TurnAnticlockwise, A::Down, A::Left}));
    joy[0].stick[3].axis[0].pos = joy[0].stick[3].axis[1].pos = 0;
    joy[0].stick[2].axis[0].pos = 128;  // the second stick does nothing
    input.poll(Screen::Play);
    EXPECT_EQ(heldNow(), std::vector<A>{});

    struct Case {
        int button;
        Screen screen;
        std::vector<A> held;
    } cases[] = {{0, Screen::Play, {A::Confirm}}, {0, Screen::Menu, {A::Confirm}},
                 {1, Screen::Play, {}},  // B never ends a game
                 {1, Screen::Menu, {A::Back}},  {6, Screen::Play, {A::Back}}, {6, Screen::Menu, {A::Back}},
                 {7, Screen::Play, {A::Pause}}, {7, Screen::Menu, {A::Confirm}}};
    for (const Case& c : cases) {
        joy[0].button[c.button].b = 1;
        input.poll(c.screen);
        EXPECT_EQ(heldNow(), c.held) << "button " << c.button;
        joy[0].button[c.button].b = 0;
    }
}

TEST_F(InputFrames, APadButtonHeldActsOnceAndAGonePadHoldsNothing) {
    plugPad();
    joy[0].button[0].b = 1;
    int presses = 0;
    for (int f = 0; f < 10; ++f) {
        input.poll();
        presses += input.pressed(A::Confirm);
    }
    EXPECT_EQ(presses, 1);
    num_joysticks = 0;  // Allegro keeps the last state of a pad it dropped
    input.poll();
    EXPECT_FALSE(input.held(A::Confirm));
}

// The pause card names Start or P by the device that moved last.
TEST_F(InputFrames, TheDeviceUsedLastIsKnown) {
    plugPad();
    joy[0].stick[0].axis[0].pos = 128;  // steering with the stick
    input.poll(Screen::Play);
    EXPECT_TRUE(input.padUsedLast());
    key[KEY_LEFT] = 1;
    input.poll(Screen::Play);
    EXPECT_FALSE(input.padUsedLast()) << "a key after the pad, the stick still held";
    joy[0].button[7].b = 1;
    input.poll(Screen::Play);
    EXPECT_TRUE(input.padUsedLast()) << "Start, the key still held";
    mouse_b = 1;
    input.poll(Screen::Play);
    EXPECT_FALSE(input.padUsedLast()) << "a click";
}

TEST(KeyNames, AnyCaseAndEveryNameBackToItsKey) {
    EXPECT_EQ(scancodeOf("pgup"), KEY_PGUP);
    EXPECT_EQ(scancodeOf("0_Pad"), KEY_0_PAD);
    EXPECT_EQ(scancodeOf("KEY_A"), 0) << "the prefix is left out";
    EXPECT_EQ(scancodeOf(""), 0);
    for (int k = 1; k < KEY_MAX; ++k) EXPECT_EQ(scancodeOf(keyName(k)), k) << k;
}

TEST(KeyNames, AMistakeKeepsThatEntrysDefaultAndIsNamed) {
    const KeyBindings defaults;
    struct Case {
        std::string texts[4];
        std::vector<Binding> kept;  // entries left at their default, each named once
    } cases[] = {
        {{"", "", "", ""}, {}},
        {{"A RIGHT", "  ", "P", "M"}, {}},
        {{"W NOSUCHKEY", "", "", ""}, {Binding::TurnClockwise}},
        {{"", "", "ESC", "alt"}, {Binding::Pause, Binding::Mute}},
        {{"", "", "", "enter"}, {Binding::Mute}},
        {{"W", "W", "", ""}, {Binding::TurnClockwise, Binding::TurnAnticlockwise}},
        {{"", "", "LEFT", ""}, {Binding::Pause}},  // the anticlockwise default has it
        // The clock entry's default, A, then clashes with the pause entry.
        {{"W", "W", "A", ""}, {Binding::TurnClockwise, Binding::TurnAnticlockwise, Binding::Pause}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        const KeyBindings table = parseKeyBindings(c.texts, &problems);
        EXPECT_EQ(problems.size(), c.kept.size()) << c.texts[0] << "|" << c.texts[1] << "|" << c.texts[2];
        for (Binding b : c.kept) {
            EXPECT_EQ(table.of(b), defaults.of(b)) << bindingName(b);
            int named = 0;
            for (const std::string& p : problems) named += p.find(bindingName(b)) != std::string::npos;
            EXPECT_GE(named, 1) << bindingName(b);
        }
    }
    std::vector<std::string> problems;
    const std::string swapped[] = {"D RIGHT", "A LEFT", "SPACE", ""};
    const KeyBindings table = parseKeyBindings(swapped, &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(table.of(Binding::TurnClockwise), (std::vector<int>{KEY_D, KEY_RIGHT}));
    EXPECT_EQ(table.of(Binding::TurnAnticlockwise), (std::vector<int>{KEY_A, KEY_LEFT}));
    EXPECT_EQ(table.of(Binding::Pause), (std::vector<int>{KEY_SPACE}));
}

int openDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return int(std::distance(begin(fds), end(fds)));
}

// Whatever the device names, the menu's retries cost no descriptor (Allegro's
// Linux driver keeps open any node that proves no joystick) and the player
// reads one line naming it; a pad whose node goes is dropped.
TEST(GamepadDevice, NoDeviceCostsADescriptorAndAGoneOneIsDropped) {
    test::startAllegro();
    test::TempFolder folder;
    // The game's driver under X, where the test's Allegro has none.
    _DRIVER_INFO* (*const none)() = system_driver->joystick_drivers;
    system_driver->joystick_drivers = [] { return _linux_joystick_driver_list; };
    test::writeFile("file", "");
    mkdir("folder", 0755);
    mkfifo("pipe", 0644);
    Gamepad pad;
    for (const std::string device : {"file", "folder", "pipe", "/dev/null", "no-such-pad"}) {
        const int before = openDescriptors();
        testing::internal::CaptureStderr();
        pad.start(device);
        for (int f = 0; f < 3 * Gamepad::RETRY_FRAMES; ++f) pad.frame(true);
        pad.stop();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(openDescriptors(), before) << device;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(device + " cannot be used as a gamepad"), std::string::npos) << said;
    }
    system_driver->joystick_drivers = none;

    test::writeFile("js0", "");
    pad.start("js0");
    num_joysticks = 1;  // as though the driver had found a pad there
    std::remove("js0");
    for (int f = 0; f < Gamepad::CHECK_FRAMES; ++f) pad.frame(false);
    EXPECT_EQ(num_joysticks, 0);
    EXPECT_TRUE(pad.takeLoss());
    EXPECT_FALSE(pad.takeLoss()) << "said once";
    pad.stop();
}

}  // namespace
