// The menu driven frame by frame through Allegro's mouse and key globals.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "display/dirty_rects.h"
#include "popups/mute_sign.h"
#include "tests/test_access.h"
#include "tests/support.h"

#include <loadpng.h>

namespace {

class Menu : public ::testing::Test {
protected:
    void SetUp() override {
        test::startAllegro();
        test::makeImageSet();
        ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
        for (short n = 1; n <= 3; ++n)
            test::writeFile(levelFilePath(n), test::levelText(test::neutralLevel(n)));
        JogoTestAccess::openMenu(jogo);
    }
    void TearDown() override {
        mouse_b = 0;
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    const MenuState& menuState() const { return JogoTestAccess::menu(jogo); }
    // One frame with the mouse at (x, y) and the buttons b.
    void frame(int x, int y, int b = 0) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = b;
        JogoTestAccess::frame(jogo);
    }
    // A key down for one frame, then up for one; the mouse stays where it is.
    void press(int k) {
        key[k] = 1;
        JogoTestAccess::frame(jogo);
        key[k] = 0;
        JogoTestAccess::frame(jogo);
    }
    // Press and release: one frame down, one frame up.
    void click(int x, int y) {
        frame(x, y, 1);
        frame(x, y, 0);
    }
    int openPanels() const {
        return menuState().nJogo + menuState().rankin + menuState().ajuda + menuState().creditos;
    }
    bool slotAt(int slot, int x, int y) const {
        return test::near(test::pixel(screen, x, y), test::rgbOf(test::slotColour(slot)));
    }

    test::TempFolder folder;
    Jogo jogo;
};

}  // namespace

TEST_F(Menu, EnteringDrawsTheFiveButtons) {
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    EXPECT_TRUE(slotAt(1, 1, 141));
    EXPECT_TRUE(slotAt(2, 1, 241));
    EXPECT_TRUE(slotAt(3, 1, 341));
    EXPECT_TRUE(slotAt(4, 1, 391));
    EXPECT_TRUE(slotAt(5, 481, 391));
    EXPECT_EQ(openPanels(), 0);
}

TEST_F(Menu, BoxesHaveExclusiveEdges) {
    struct Case {
        int x, y;
        short escolha;
    } inside[] = {{1, 141, 0}, {229, 213, 0}, {1, 241, 1}, {229, 313, 1}, {1, 341, 2},
                  {229, 413, 2}, {1, 414, 3}, {229, 463, 3}, {481, 391, 4}, {639, 463, 4}};
    for (const Case& c : inside) {
        frame(c.x, c.y);
        EXPECT_EQ(menuState().escolha, c.escolha) << c.x << "," << c.y;
    }
    // On a bound: no button, the last choice stays.
    frame(1, 141);
    for (auto [x, y] : {std::pair{0, 150}, {230, 150}, {100, 140}, {100, 214}, {100, 464},
                        {480, 400}, {640, 400}, {500, 390}, {500, 464}}) {
        frame(x, y);
        EXPECT_EQ(menuState().escolha, 0) << x << "," << y;
    }
}

TEST_F(Menu, HelpWinsOverCreditsWhereTheyOverlap) {
    for (int y = 391; y <= 413; ++y) {
        frame(100, y);
        EXPECT_EQ(menuState().escolha, 2) << y;
    }
    click(100, 400);
    EXPECT_TRUE(menuState().ajuda);
    EXPECT_FALSE(menuState().creditos);
    click(100, 420);
    EXPECT_TRUE(menuState().creditos);
    EXPECT_FALSE(menuState().ajuda);
}

TEST_F(Menu, AHeldClickActsOnce) {
    std::string seen;
    for (int i = 0; i < 30; ++i) {
        frame(100, 270, 1);
        seen += menuState().rankin ? '1' : '0';
    }
    frame(100, 270, 0);
    seen += menuState().rankin ? '1' : '0';
    EXPECT_EQ(seen, std::string(31, '1'));
    // The help arrow likewise turns one page per press.
    click(100, 370);
    for (int i = 0; i < 30; ++i) frame(620, 200, 1);
    frame(620, 200, 0);
    EXPECT_EQ(menuState().ajudaPagina, 1);
    // Quick presses each act.
    click(620, 200);
    click(620, 200);
    EXPECT_EQ(menuState().ajudaPagina, 3);
}

TEST_F(Menu, APressDraggedOntoAButtonDoesNothing) {
    frame(400, 300, 1);  // pressed over empty space
    for (int x = 400; x <= 560; x += 20) frame(x, 430, 1);
    frame(560, 430, 0);  // released over Exit
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    EXPECT_EQ(menuState().escolha, 4);  // the pointer mark still follows the hover
    frame(100, 170, 1);
    frame(100, 270, 1);  // dragged from new game onto ranking
    frame(100, 270, 0);
    EXPECT_TRUE(menuState().nJogo);
    EXPECT_FALSE(menuState().rankin);
    frame(400, 200, 1);  // a press already down when it reaches a level button
    frame(325, 75, 1);
    frame(325, 75, 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, APressBegunBeforeTheMenuDoesNothing) {
    // The button goes down on the screen before, on the summary's Menu
    // button, and is dragged onto Exit.
    JogoTestAccess::enter(jogo, GameScreen::Summary);
    frame(330, 390, 1);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    for (int i = 0; i < 10; ++i) frame(560, 430, 1);
    frame(560, 430, 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    click(560, 430);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit);
}

// A click that began and ended between two frames on a busy machine.
TEST_F(Menu, QuickClickBetweenFramesOpensThePanelOnce) {
    frame(100, 270);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    for (int i = 0; i < 10; ++i) frame(100, 270);
    EXPECT_TRUE(menuState().rankin);
    EXPECT_EQ(openPanels(), 1);
}

TEST_F(Menu, RightOrBothButtonsDoNothing) {
    for (int b : {2, 3, 4}) {
        for (auto [x, y] : {std::pair{100, 170}, {100, 270}, {100, 370}, {100, 440}, {560, 430}}) {
            frame(x, y, b);
            frame(x, y, 0);
            EXPECT_EQ(openPanels(), 0);
            EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
        }
    }
}

TEST_F(Menu, OpeningAPanelClosesTheOthers) {
    click(100, 270);
    EXPECT_TRUE(menuState().rankin);
    click(100, 170);
    EXPECT_TRUE(menuState().nJogo);
    EXPECT_EQ(openPanels(), 1);
    click(100, 370);
    EXPECT_TRUE(menuState().ajuda);
    EXPECT_EQ(openPanels(), 1);
    click(100, 370);  // the same button closes its own panel
    EXPECT_EQ(openPanels(), 0);
}

TEST_F(Menu, HelpPagesCycle) {
    click(100, 370);
    std::vector<short> pages{menuState().ajudaPagina};
    for (int i = 0; i < 4; ++i) {
        click(620, 200);
        pages.push_back(menuState().ajudaPagina);
    }
    EXPECT_EQ(pages, (std::vector<short>{0, 1, 2, 3, 0}));
    click(620, 200);
    EXPECT_TRUE(slotAt(27, 251, 51));  // page 1 drawn at the panel's corner
    click(610, 200);  // on the box's bound: no turn
    EXPECT_EQ(menuState().ajudaPagina, 1);
}

TEST_F(Menu, LevelButtonChoosesTheLevel) {
    click(100, 170);
    click(325, 50);  // the gap between two level boxes
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    click(325, 100);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    frame(325, 75, 1);  // acts on the frame the button goes down
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::CountIn);
    EXPECT_EQ(JogoTestAccess::level(jogo), 2);
    for (int n : {1, 3}) {
        JogoTestAccess::openMenu(jogo);
        frame(0, 0, 0);
        click(100, 170);
        frame(325, 50 * (n - 1) + 25, 1);
        EXPECT_EQ(JogoTestAccess::level(jogo), n);
    }
}

TEST_F(Menu, LevelButtonsOnlyWithTheChooserOpen) {
    click(325, 25);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, QuitEndsEvenWithAPanelOpen) {
    click(100, 270);
    click(560, 430);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit);
    EXPECT_TRUE(menuState().rankin);
}

TEST_F(Menu, ArrowsCycleTheFocusOncePerPress) {
    frame(700, 10);
    std::vector<short> focuses;
    for (int i = 0; i < 6; ++i) {
        press(KEY_DOWN);
        focuses.push_back(menuState().escolha);
    }
    EXPECT_EQ(focuses, (std::vector<short>{1, 2, 3, 4, 0, 1}));
    press(KEY_UP);
    press(KEY_UP);
    EXPECT_EQ(menuState().escolha, 4);
    key[KEY_DOWN] = 1;  // held: one step
    for (int i = 0; i < 10; ++i) JogoTestAccess::frame(jogo);
    key[KEY_DOWN] = 0;
    EXPECT_EQ(menuState().escolha, 0);
    EXPECT_TRUE(slotAt(6, 231, 148));
    EXPECT_EQ(openPanels(), 0);
    for (int k : {KEY_TAB, KEY_F1, KEY_Q, KEY_H, KEY_N, KEY_1}) press(k);
    EXPECT_EQ(menuState().escolha, 0);
    EXPECT_EQ(openPanels(), 0);
}

TEST_F(Menu, EnterOrSpaceClickTheFocusedButton) {
    frame(700, 10);
    press(KEY_DOWN);
    press(KEY_ENTER);
    EXPECT_TRUE(menuState().rankin);
    press(KEY_SPACE);
    EXPECT_EQ(openPanels(), 0) << "a panel's button closes it again";
    press(KEY_DOWN);
    press(KEY_ENTER);
    EXPECT_TRUE(menuState().ajuda);
    for (int k : {KEY_RIGHT, KEY_PGDN, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT}) press(k);
    EXPECT_EQ(menuState().ajudaPagina, 1) << "pages wrap round";
    press(KEY_LEFT);
    press(KEY_PGUP);
    EXPECT_EQ(menuState().ajudaPagina, 3);
    EXPECT_TRUE(slotAt(75, 251, 51)) << "the fourth page";
    press(KEY_ESC);
    EXPECT_EQ(openPanels(), 0);
    EXPECT_EQ(menuState().escolha, 2) << "Escape closing a panel leaves the focus";
    press(KEY_ESC);
    EXPECT_EQ(menuState().escolha, 4);
    EXPECT_TRUE(slotAt(7, 431, 398));
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    press(KEY_ESC);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit) << "Escape twice ends as Exit does";
}

TEST_F(Menu, ChooserByKeys) {
    frame(700, 10);
    press(KEY_ENTER);
    ASSERT_TRUE(menuState().nJogo);
    EXPECT_EQ(menuState().levelFocus, 0);
    EXPECT_TRUE(slotAt(6, 351, 1)) << "the pointer beside level 1";
    press(KEY_UP);
    EXPECT_EQ(menuState().levelFocus, 2);
    EXPECT_EQ(menuState().escolha, 0) << "the arrows move over the levels";
    EXPECT_TRUE(slotAt(6, 351, 101));
    press(KEY_DOWN);
    press(KEY_DOWN);
    key[KEY_ENTER] = 1;
    JogoTestAccess::frame(jogo);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::CountIn);
    EXPECT_EQ(JogoTestAccess::level(jogo), 2);
    for (int n : {1, 2, 3}) {
        JogoTestAccess::openMenu(jogo);
        frame(700, 10);
        press(KEY_SPACE);
        key[KEY_1 + n - 1] = 1;
        JogoTestAccess::frame(jogo);
        key[KEY_1 + n - 1] = 0;
        EXPECT_EQ(JogoTestAccess::level(jogo), n);
        EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::CountIn);
    }
    JogoTestAccess::openMenu(jogo);
    frame(700, 10);
    press(KEY_ENTER);
    press(KEY_ESC);
    EXPECT_EQ(openPanels(), 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, AMovingMouseTakesTheFocusAStillOneDoesNot) {
    frame(100, 270);
    EXPECT_EQ(menuState().escolha, 1);
    press(KEY_DOWN);
    press(KEY_DOWN);
    for (int i = 0; i < 10; ++i) frame(100, 270);
    EXPECT_EQ(menuState().escolha, 3) << "a pointer held still";
    frame(101, 270);
    EXPECT_EQ(menuState().escolha, 1);
}

// Nothing changed, nothing drawn: the window is sent nothing.
TEST_F(Menu, AFrameWithoutChangeDrawsNothing) {
    frame(700, 10);
    pictureChanges().clear();
    for (int i = 0; i < 5; ++i) frame(700, 10);
    frame(600, 20);  // a move over no button changes nothing either
    EXPECT_TRUE(pictureChanges().rects().empty());
    press(KEY_DOWN);
    EXPECT_FALSE(pictureChanges().rects().empty());
    pictureChanges().clear();
    click(100, 270);
    EXPECT_FALSE(pictureChanges().rects().empty()) << "the ranking opened";
    pictureChanges().clear();
    frame(100, 270);
    EXPECT_TRUE(pictureChanges().rects().empty());
}

TEST_F(Menu, PointerBesideTheMarkedButton) {
    frame(560, 430);
    EXPECT_TRUE(slotAt(7, 431, 398));
    EXPECT_TRUE(slotAt(99, 231, 148));  // the old pointer place erased
    frame(100, 440);
    EXPECT_TRUE(slotAt(6, 231, 398));
    EXPECT_TRUE(slotAt(99, 431, 398));
}

TEST_F(Menu, PanelsDrawnInOrder) {
    click(100, 170);
    EXPECT_TRUE(slotAt(40, 301, 1));
    EXPECT_TRUE(slotAt(41, 301, 51));
    EXPECT_TRUE(slotAt(SLOT_CHOOSER_TITLE, 63, 4));  // the chooser's title left of its buttons
    EXPECT_TRUE(slotAt(99, 251, 51));  // no banner under the chooser's rows
    click(100, 270);
    EXPECT_TRUE(slotAt(8, 251, 51));  // ranking background, no banner
    EXPECT_TRUE(slotAt(99, 301, 1));  // closing the chooser cleared its first button
    EXPECT_TRUE(slotAt(99, 63, 4));   // and its title
    EXPECT_TRUE(slotAt(99, 405, 12));  // and its first row
    click(100, 440);
    EXPECT_TRUE(slotAt(29, 201, 1));
}

// Each level's row: its name, then its best time from best.txt or a dash.
TEST_F(Menu, TheChooserShowsEachLevelsBest) {
    test::writeFile("best.txt", "2 1 5\n");
    JogoTestAccess::openMenu(jogo);
    click(100, 170);
    ASSERT_TRUE(menuState().nJogo);
    const int digits[5] = {50, 51, 70, 50, 55};  // 01:05
    for (short n = 0; n < 3; ++n) {
        EXPECT_TRUE(slotAt(SLOT_LEVEL_NAME + n, 405, 50 * n + 12)) << n;
        EXPECT_EQ(slotAt(SLOT_NO_BEST, 541, 50 * n + 16), n != 1) << n;
    }
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(slotAt(digits[k], 541 + 16 * k, 66)) << k;
}

// M shows the speaker-off sign in the top-left corner; M again takes it away.
TEST_F(Menu, MuteSignInTheCornerWhileMuted) {
    const MuteSignSpot spot = muteSignSpot(MuteSignPlace::MenuCorner);
    frame(700, 10);
    EXPECT_TRUE(slotAt(99, spot.x + 1, spot.y + 1));
    key[KEY_M] = 1;
    frame(700, 10);
    ASSERT_TRUE(JogoTestAccess::audio(jogo).muted());
    EXPECT_TRUE(slotAt(SLOT_MUTE_SIGN, spot.x + 1, spot.y + 1));
    EXPECT_TRUE(spot.x + 16 < 230 && spot.y + 16 < 140) << "clear of the buttons";
    key[KEY_M] = 0;
    frame(700, 10);
    key[KEY_M] = 1;
    frame(700, 10);
    ASSERT_FALSE(JogoTestAccess::audio(jogo).muted());
    EXPECT_TRUE(slotAt(99, spot.x + 1, spot.y + 1));
}
