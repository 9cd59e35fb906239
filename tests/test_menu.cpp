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
        teste::iniciaAllegro();
        teste::criaConjuntoImagens();
        ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
        for (short n = 1; n <= 3; ++n)
            teste::escreveArquivo(levelFilePath(n), teste::textoNivel(teste::nivelNeutro(n)));
        JogoTestAccess::openMenu(jogo);
    }
    void TearDown() override {
        mouse_b = 0;
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    const MenuState& estado() const { return JogoTestAccess::menu(jogo); }
    // One frame with the mouse at (x, y) and the buttons b.
    void quadro(int x, int y, int b = 0) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = b;
        JogoTestAccess::frame(jogo);
    }
    // A key down for one frame, then up for one; the mouse stays where it is.
    void tecla(int k) {
        key[k] = 1;
        JogoTestAccess::frame(jogo);
        key[k] = 0;
        JogoTestAccess::frame(jogo);
    }
    // Press and release: one frame down, one frame up.
    void clique(int x, int y) {
        quadro(x, y, 1);
        quadro(x, y, 0);
    }
    int paineisAbertos() const {
        return estado().nJogo + estado().rankin + estado().ajuda + estado().creditos;
    }
    bool slotEm(int slot, int x, int y) const {
        return teste::perto(teste::pixel(screen, x, y), teste::rgbDe(teste::corDoSlot(slot)));
    }

    teste::PastaTemporaria pasta;
    Jogo jogo;
};

}  // namespace

TEST_F(Menu, EnteringDrawsTheFiveButtons) {
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    EXPECT_TRUE(slotEm(1, 1, 141));
    EXPECT_TRUE(slotEm(2, 1, 241));
    EXPECT_TRUE(slotEm(3, 1, 341));
    EXPECT_TRUE(slotEm(4, 1, 391));
    EXPECT_TRUE(slotEm(5, 481, 391));
    EXPECT_EQ(paineisAbertos(), 0);
}

TEST_F(Menu, BoxesHaveExclusiveEdges) {
    struct Caso {
        int x, y;
        short escolha;
    } dentro[] = {{1, 141, 0}, {229, 213, 0}, {1, 241, 1}, {229, 313, 1}, {1, 341, 2},
                  {229, 413, 2}, {1, 414, 3}, {229, 463, 3}, {481, 391, 4}, {639, 463, 4}};
    for (const Caso& c : dentro) {
        quadro(c.x, c.y);
        EXPECT_EQ(estado().escolha, c.escolha) << c.x << "," << c.y;
    }
    // On a bound: no button, the last choice stays.
    quadro(1, 141);
    for (auto [x, y] : {std::pair{0, 150}, {230, 150}, {100, 140}, {100, 214}, {100, 464},
                        {480, 400}, {640, 400}, {500, 390}, {500, 464}}) {
        quadro(x, y);
        EXPECT_EQ(estado().escolha, 0) << x << "," << y;
    }
}

TEST_F(Menu, HelpWinsOverCreditsWhereTheyOverlap) {
    for (int y = 391; y <= 413; ++y) {
        quadro(100, y);
        EXPECT_EQ(estado().escolha, 2) << y;
    }
    clique(100, 400);
    EXPECT_TRUE(estado().ajuda);
    EXPECT_FALSE(estado().creditos);
    clique(100, 420);
    EXPECT_TRUE(estado().creditos);
    EXPECT_FALSE(estado().ajuda);
}

TEST_F(Menu, AHeldClickActsOnce) {
    std::string seen;
    for (int i = 0; i < 30; ++i) {
        quadro(100, 270, 1);
        seen += estado().rankin ? '1' : '0';
    }
    quadro(100, 270, 0);
    seen += estado().rankin ? '1' : '0';
    EXPECT_EQ(seen, std::string(31, '1'));
    // The help arrow likewise turns one page per press.
    clique(100, 370);
    for (int i = 0; i < 30; ++i) quadro(620, 200, 1);
    quadro(620, 200, 0);
    EXPECT_EQ(estado().ajudaPagina, 1);
    // Quick presses each act.
    clique(620, 200);
    clique(620, 200);
    EXPECT_EQ(estado().ajudaPagina, 3);
}

TEST_F(Menu, APressDraggedOntoAButtonDoesNothing) {
    quadro(400, 300, 1);  // pressed over empty space
    for (int x = 400; x <= 560; x += 20) quadro(x, 430, 1);
    quadro(560, 430, 0);  // released over Exit
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    EXPECT_EQ(estado().escolha, 4);  // the pointer mark still follows the hover
    quadro(100, 170, 1);
    quadro(100, 270, 1);  // dragged from new game onto ranking
    quadro(100, 270, 0);
    EXPECT_TRUE(estado().nJogo);
    EXPECT_FALSE(estado().rankin);
    quadro(400, 200, 1);  // a press already down when it reaches a level button
    quadro(325, 75, 1);
    quadro(325, 75, 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, APressBegunBeforeTheMenuDoesNothing) {
    // The button goes down on the screen before: it closes the summary.
    JogoTestAccess::enter(jogo, GameScreen::Summary);
    quadro(560, 430, 1);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    for (int i = 0; i < 10; ++i) quadro(560, 430, 1);
    quadro(560, 430, 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    clique(560, 430);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit);
}

// A click that began and ended between two frames on a busy machine.
TEST_F(Menu, QuickClickBetweenFramesOpensThePanelOnce) {
    quadro(100, 270);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    for (int i = 0; i < 10; ++i) quadro(100, 270);
    EXPECT_TRUE(estado().rankin);
    EXPECT_EQ(paineisAbertos(), 1);
}

TEST_F(Menu, RightOrBothButtonsDoNothing) {
    for (int b : {2, 3, 4}) {
        for (auto [x, y] : {std::pair{100, 170}, {100, 270}, {100, 370}, {100, 440}, {560, 430}}) {
            quadro(x, y, b);
            quadro(x, y, 0);
            EXPECT_EQ(paineisAbertos(), 0);
            EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
        }
    }
}

TEST_F(Menu, OpeningAPanelClosesTheOthers) {
    clique(100, 270);
    EXPECT_TRUE(estado().rankin);
    clique(100, 170);
    EXPECT_TRUE(estado().nJogo);
    EXPECT_EQ(paineisAbertos(), 1);
    clique(100, 370);
    EXPECT_TRUE(estado().ajuda);
    EXPECT_EQ(paineisAbertos(), 1);
    clique(100, 370);  // the same button closes its own panel
    EXPECT_EQ(paineisAbertos(), 0);
}

TEST_F(Menu, HelpPagesCycle) {
    clique(100, 370);
    std::vector<short> paginas{estado().ajudaPagina};
    for (int i = 0; i < 4; ++i) {
        clique(620, 200);
        paginas.push_back(estado().ajudaPagina);
    }
    EXPECT_EQ(paginas, (std::vector<short>{0, 1, 2, 3, 0}));
    clique(620, 200);
    EXPECT_TRUE(slotEm(27, 251, 51));  // page 1 drawn at the panel's corner
    clique(610, 200);  // on the box's bound: no turn
    EXPECT_EQ(estado().ajudaPagina, 1);
}

TEST_F(Menu, LevelButtonChoosesTheLevel) {
    clique(100, 170);
    clique(325, 50);  // the gap between two level boxes
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    clique(325, 100);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    quadro(325, 75, 1);  // acts on the frame the button goes down
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Play);
    EXPECT_EQ(JogoTestAccess::level(jogo), 2);
    for (int n : {1, 3}) {
        JogoTestAccess::openMenu(jogo);
        quadro(0, 0, 0);
        clique(100, 170);
        quadro(325, 50 * (n - 1) + 25, 1);
        EXPECT_EQ(JogoTestAccess::level(jogo), n);
    }
}

TEST_F(Menu, LevelButtonsOnlyWithTheChooserOpen) {
    clique(325, 25);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, QuitEndsEvenWithAPanelOpen) {
    clique(100, 270);
    clique(560, 430);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit);
    EXPECT_TRUE(estado().rankin);
}

TEST_F(Menu, ArrowsCycleTheFocusOncePerPress) {
    quadro(700, 10);
    std::vector<short> focos;
    for (int i = 0; i < 6; ++i) {
        tecla(KEY_DOWN);
        focos.push_back(estado().escolha);
    }
    EXPECT_EQ(focos, (std::vector<short>{1, 2, 3, 4, 0, 1}));
    tecla(KEY_UP);
    tecla(KEY_UP);
    EXPECT_EQ(estado().escolha, 4);
    key[KEY_DOWN] = 1;  // held: one step
    for (int i = 0; i < 10; ++i) JogoTestAccess::frame(jogo);
    key[KEY_DOWN] = 0;
    EXPECT_EQ(estado().escolha, 0);
    EXPECT_TRUE(slotEm(6, 231, 148));
    EXPECT_EQ(paineisAbertos(), 0);
    for (int k : {KEY_TAB, KEY_F1, KEY_Q, KEY_H, KEY_N, KEY_1}) tecla(k);
    EXPECT_EQ(estado().escolha, 0);
    EXPECT_EQ(paineisAbertos(), 0);
}

TEST_F(Menu, EnterOrSpaceClickTheFocusedButton) {
    quadro(700, 10);
    tecla(KEY_DOWN);
    tecla(KEY_ENTER);
    EXPECT_TRUE(estado().rankin);
    tecla(KEY_SPACE);
    EXPECT_EQ(paineisAbertos(), 0) << "a panel's button closes it again";
    tecla(KEY_DOWN);
    tecla(KEY_ENTER);
    EXPECT_TRUE(estado().ajuda);
    for (int k : {KEY_RIGHT, KEY_PGDN, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT}) tecla(k);
    EXPECT_EQ(estado().ajudaPagina, 1) << "pages wrap round";
    tecla(KEY_LEFT);
    tecla(KEY_PGUP);
    EXPECT_EQ(estado().ajudaPagina, 3);
    EXPECT_TRUE(slotEm(75, 251, 51)) << "the fourth page";
    tecla(KEY_ESC);
    EXPECT_EQ(paineisAbertos(), 0);
    EXPECT_EQ(estado().escolha, 2) << "Escape closing a panel leaves the focus";
    tecla(KEY_ESC);
    EXPECT_EQ(estado().escolha, 4);
    EXPECT_TRUE(slotEm(7, 431, 398));
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
    tecla(KEY_ESC);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Exit) << "Escape twice ends as Exit does";
}

TEST_F(Menu, ChooserByKeys) {
    quadro(700, 10);
    tecla(KEY_ENTER);
    ASSERT_TRUE(estado().nJogo);
    EXPECT_EQ(estado().levelFocus, 0);
    EXPECT_TRUE(slotEm(6, 351, 1)) << "the pointer beside level 1";
    tecla(KEY_UP);
    EXPECT_EQ(estado().levelFocus, 2);
    EXPECT_EQ(estado().escolha, 0) << "the arrows move over the levels";
    EXPECT_TRUE(slotEm(6, 351, 101));
    tecla(KEY_DOWN);
    tecla(KEY_DOWN);
    key[KEY_ENTER] = 1;
    JogoTestAccess::frame(jogo);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Play);
    EXPECT_EQ(JogoTestAccess::level(jogo), 2);
    for (int n : {1, 2, 3}) {
        JogoTestAccess::openMenu(jogo);
        quadro(700, 10);
        tecla(KEY_SPACE);
        key[KEY_1 + n - 1] = 1;
        JogoTestAccess::frame(jogo);
        key[KEY_1 + n - 1] = 0;
        EXPECT_EQ(JogoTestAccess::level(jogo), n);
        EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Play);
    }
    JogoTestAccess::openMenu(jogo);
    quadro(700, 10);
    tecla(KEY_ENTER);
    tecla(KEY_ESC);
    EXPECT_EQ(paineisAbertos(), 0);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Menu);
}

TEST_F(Menu, AMovingMouseTakesTheFocusAStillOneDoesNot) {
    quadro(100, 270);
    EXPECT_EQ(estado().escolha, 1);
    tecla(KEY_DOWN);
    tecla(KEY_DOWN);
    for (int i = 0; i < 10; ++i) quadro(100, 270);
    EXPECT_EQ(estado().escolha, 3) << "a pointer held still";
    quadro(101, 270);
    EXPECT_EQ(estado().escolha, 1);
}

// Nothing changed, nothing drawn: the window is sent nothing.
TEST_F(Menu, AFrameWithoutChangeDrawsNothing) {
    quadro(700, 10);
    pictureChanges().clear();
    for (int i = 0; i < 5; ++i) quadro(700, 10);
    quadro(600, 20);  // a move over no button changes nothing either
    EXPECT_TRUE(pictureChanges().rects().empty());
    tecla(KEY_DOWN);
    EXPECT_FALSE(pictureChanges().rects().empty());
    pictureChanges().clear();
    clique(100, 270);
    EXPECT_FALSE(pictureChanges().rects().empty()) << "the ranking opened";
    pictureChanges().clear();
    quadro(100, 270);
    EXPECT_TRUE(pictureChanges().rects().empty());
}

TEST_F(Menu, PointerBesideTheMarkedButton) {
    quadro(560, 430);
    EXPECT_TRUE(slotEm(7, 431, 398));
    EXPECT_TRUE(slotEm(99, 231, 148));  // the old pointer place erased
    quadro(100, 440);
    EXPECT_TRUE(slotEm(6, 231, 398));
    EXPECT_TRUE(slotEm(99, 431, 398));
}

TEST_F(Menu, PanelsDrawnInOrder) {
    clique(100, 170);
    EXPECT_TRUE(slotEm(40, 301, 1));
    EXPECT_TRUE(slotEm(41, 301, 51));
    EXPECT_TRUE(slotEm(SLOT_CHOOSER_TITLE, 403, 4));  // the chooser's title beside its first button
    EXPECT_TRUE(slotEm(0, 251, 51));  // banner shown with the chooser
    clique(100, 270);
    EXPECT_TRUE(slotEm(8, 251, 51));  // ranking background, no banner
    EXPECT_TRUE(slotEm(99, 301, 1));  // closing the chooser cleared its first button
    EXPECT_TRUE(slotEm(99, 357, 1));  // and its title
    clique(100, 440);
    EXPECT_TRUE(slotEm(29, 201, 1));
}

TEST_F(Menu, BannerOverTheLevelButtons) {
    // The banner as big as the panel: where it overlaps a level button, it wins.
    BITMAP* grande = create_bitmap_ex(32, 390, 320);
    clear_to_color(grande, makeacol32(getr32(teste::corDoSlot(0)), getg32(teste::corDoSlot(0)),
                                      getb32(teste::corDoSlot(0)), 255));
    save_png("Data/Imagens/Menu/LMBanner.png", grande, nullptr);
    destroy_bitmap(grande);
    Jogo outro;
    ASSERT_TRUE(JogoTestAccess::render(outro).carregaImagens());
    JogoTestAccess::openMenu(outro);
    mouse_x = 100, mouse_y = 170, mouse_b = 0;
    JogoTestAccess::frame(outro);
    mouse_b = 1;
    JogoTestAccess::frame(outro);
    EXPECT_TRUE(slotEm(0, 301, 51));  // level 2's button lies under the banner
    EXPECT_TRUE(slotEm(40, 301, 1));  // level 1's is above the panel area
}

// M shows the speaker-off sign in the top-left corner; M again takes it away.
TEST_F(Menu, MuteSignInTheCornerWhileMuted) {
    const MuteSignSpot spot = muteSignSpot(MuteSignPlace::MenuCorner);
    quadro(700, 10);
    EXPECT_TRUE(slotEm(99, spot.x + 1, spot.y + 1));
    key[KEY_M] = 1;
    quadro(700, 10);
    ASSERT_TRUE(JogoTestAccess::audio(jogo).muted());
    EXPECT_TRUE(slotEm(SLOT_MUTE_SIGN, spot.x + 1, spot.y + 1));
    EXPECT_TRUE(spot.x + 16 < 230 && spot.y + 16 < 140) << "clear of the buttons";
    key[KEY_M] = 0;
    quadro(700, 10);
    key[KEY_M] = 1;
    quadro(700, 10);
    ASSERT_FALSE(JogoTestAccess::audio(jogo).muted());
    EXPECT_TRUE(slotEm(99, spot.x + 1, spot.y + 1));
}
