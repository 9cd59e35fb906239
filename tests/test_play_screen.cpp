// The play screen on a memory screen: which picture is drawn where, what is
// erased, and that a long game leaves no trails.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "marks/heading_marker.h"
#include "summary/summary_card.h"
#include "popups/mute_sign.h"
#include "tests/test_access.h"
#include "tests/support.h"

#include <loadpng.h>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

namespace {

struct SpriteSize {
    short slot, w, h;
};
// Sprites as large as the rectangles the game erases behind them.
const SpriteSize sprites[] = {{10, 40, 40}, {11, 40, 40}, {12, 30, 30}, {13, 45, 40}, {14, 43, 42},
                           {15, 38, 40}, {30, 39, 50}, {31, 39, 50}, {32, 39, 50}, {33, 39, 50},
                           {34, 39, 50}, {35, 12, 16}, {36, 12, 16}, {43, 12, 16}, {44, 12, 16},
                           {45, 12, 16}, {46, 12, 16}, {47, 12, 16}, {48, 12, 16}, {49, 12, 16},
                           {72, 12, 16}, {73, 12, 16}, {74, 12, 16}, {76, 90, 16}, {38, 28, 24}};
const int PANEL_COLOUR[3] = {200, 30, 30};

class PlayScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::startAllegro();
        test::makeImageSet();
        for (const SpriteSize& t : sprites) {
            const int c = test::slotColour(t.slot);
            saveSlotPath(t.slot, t.w, t.h, c);
        }
        // The panel: an opaque band above y 70, see-through below.
        BITMAP* panel = create_bitmap_ex(32, 640, 480);
        clear_to_color(panel, makeacol32(0, 0, 0, 0));
        rectfill(panel, 0, 0, 639, 69, makeacol32(PANEL_COLOUR[0], PANEL_COLOUR[1], PANEL_COLOUR[2], 255));
        save_png("Data/Imagens/interface.png", panel, nullptr);
        destroy_bitmap(panel);
        // A floor whose every pixel differs from its neighbours', to catch a
        // rectangle restored from the wrong place.
        BITMAP* floorPicture = create_bitmap_ex(32, 640, 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) putpixel(floorPicture, x, y, makecol32(x % 256, y % 256, (x * 7 + y * 3) % 256));
        save_bmp("floorPicture.bmp", floorPicture, nullptr);
        destroy_bitmap(floorPicture);
        ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
        // The JPEG loader rounds; paint the floor into the slot exactly.
        BITMAP* readBack = load_bmp("floorPicture.bmp", nullptr);
        blit(readBack, JogoTestAccess::render(jogo).imagem(20), 0, 0, 0, 0, 640, 480);
        destroy_bitmap(readBack);

        test::writeFile("01.txt", test::levelText(test::neutralLevel(1)));
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
        JogoTestAccess::drawBackground(jogo);
    }
    void TearDown() override {
        mouse_b = 0;
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    static void saveSlotPath(short slot, int w, int h, int colour) {
        for (const ArquivoImagem& a : Render::tabela())
            if (a.slot == slot) test::saveImage(a.caminho, w, h, getr32(colour), getg32(colour), getb32(colour));
    }
    Mapa& mapa() { return JogoTestAccess::mapa(jogo); }
    // One frame in which the Gangster, standing still, hits the face: -20.
    void gangsterHitsTheFace() {
        Smile* smile = TestAccess::smile(mapa());
        Gangster* gangster = TestAccess::gangster(mapa());
        gangster->setExiste(true);
        gangster->setVelocidade(0);
        smile->setX(200);
        smile->setY(200);
        smile->setDirecao(0);
        gangster->setX(210);
        gangster->setY(200);
        mapa().setMinD(1);
        JogoTestAccess::frame(jogo);
        ASSERT_TRUE(mapa().report().hitBy[ENEMY_GANGSTER]);
        ASSERT_EQ(mapa().report().secondsChange, -20);
    }
    bool slotAt(int slot, int x, int y) const {
        return test::pixel(screen, x, y) == test::rgbOf(test::slotColour(slot));
    }
    bool floorAt(int x, int y) {
        return getpixel(screen, x, y) == getpixel(JogoTestAccess::render(jogo).imagem(20), x, y);
    }
    bool panelAt(int x, int y) const {
        return test::pixel(screen, x, y) == (test::Rgb{PANEL_COLOUR[0], PANEL_COLOUR[1], PANEL_COLOUR[2]});
    }
    // Slots drawn at the five cells of a clock starting at (x, y).
    std::vector<int> clockAt(int x, int y = 20) const {
        std::vector<int> slots;
        for (int i = 0; i < 5; ++i) {
            int found = -1;
            for (int s = 50; s <= 71; ++s)
                if (slotAt(s, x + 16 * i + 1, y + 1)) found = s;
            slots.push_back(found);
        }
        return slots;
    }

    // The marks and heading markers, larger than the face so they reach past
    // it; red tells the slot.
    void layMarkPictures() {
        for (short slot = SLOT_MARK_WALL; slot < SLOT_HEADING + 16; ++slot) {
            if (slot > SLOT_MARK_ITEM + 2 && slot < SLOT_HEADING) continue;
            BITMAP* b = create_bitmap_ex(32, slot < SLOT_HEADING ? 56 : 12, slot < SLOT_HEADING ? 50 : 10);
            clear_to_color(b, makeacol32(slot, 0, 250, 255));
            TestAccess::imagem(JogoTestAccess::render(jogo), slot) = b;
        }
    }

    test::TempFolder folder;
    Jogo jogo;
};

}  // namespace

TEST_F(PlayScreenTest, ClocksShowEachSetsDigits) {
    mapa().setMin(7);
    mapa().setSeg(5);
    mapa().setMinD(2);
    mapa().setSegD(30);
    jogo.desenhaTela();
    EXPECT_EQ(clockAt(400), (std::vector<int>{50, 57, 70, 50, 55}));
    EXPECT_EQ(clockAt(550), (std::vector<int>{60, 62, 71, 63, 60}));
}

TEST_F(PlayScreenTest, ClocksOutOfRangeStayInRange) {
    mapa().setMin(100);
    mapa().setSeg(0);
    mapa().setMinD(0);
    mapa().setSegD(-7);  // a penalty in the countdown's last frame
    jogo.desenhaTela();
    EXPECT_EQ(clockAt(400), (std::vector<int>{59, 59, 70, 50, 50}));
    EXPECT_EQ(clockAt(550), (std::vector<int>{60, 60, 71, 60, 60}));
    EXPECT_TRUE(slotAt(11, 101, 101));
}

TEST_F(PlayScreenTest, SadFaceInTheLastTenSeconds) {
    mapa().setMinD(0);
    mapa().setSegD(10);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(10, 101, 101));
    mapa().setSegD(9);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(11, 101, 101));
    mapa().setMinD(1);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(10, 101, 101));
}

TEST_F(PlayScreenTest, SpeedIndicator) {
    Smile* smile = TestAccess::smile(mapa());
    for (short v = 5; v <= 15; ++v) {
        smile->setVelocidade(v);
        jogo.desenhaTela();
        EXPECT_TRUE(slotAt(v == 15 ? 60 : 50 + v - 5, 76, 21)) << "speed " << v;
    }
    for (short v : {4, 16, 26}) {
        smile->setVelocidade(v);
        jogo.desenhaTela();
        EXPECT_TRUE(panelAt(76, 21)) << "speed " << v << " should show no digit";
    }
}

TEST_F(PlayScreenTest, ClocksNineFrameCycle) {
    std::vector<int> seenCount;
    for (int q = 0; q < 11; ++q) {
        jogo.desenhaTela();
        int found = -1;
        for (int s = 80; s <= 87; ++s)
            if (slotAt(s, 351, 13) && slotAt(s + 10, 501, 13)) found = s;
        seenCount.push_back(found);
    }
    // The pause frame draws nothing: the last frame stays on screen.
    EXPECT_EQ(seenCount, (std::vector<int>{80, 81, 82, 83, 84, 85, 86, 87, 87, 80, 81}));
}

TEST_F(PlayScreenTest, AnAbsentEnemyIsNeitherDrawnNorErased) {
    Coco* coco = TestAccess::coco(mapa());
    ASSERT_FALSE(coco->getExiste());
    rectfill(screen, 300, 300, 329, 329, makecol32(1, 2, 3));
    jogo.desenhaTela();
    EXPECT_EQ(test::pixel(screen, 310, 310), (test::Rgb{1, 2, 3}));
    coco->setExiste(true);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(12, 310, 310));
    coco->setXA(300);
    coco->setYA(300);
    coco->setX(200);
    coco->setY(200);
    jogo.desenhaTela();
    EXPECT_TRUE(floorAt(310, 310));
    EXPECT_TRUE(slotAt(12, 210, 210));
}

TEST_F(PlayScreenTest, AnObjectOnTheLeftEdgeIsClipped) {
    Smile* smile = TestAccess::smile(mapa());
    smile->setX(-30);
    smile->setXA(-30);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(10, 0, 110));
    EXPECT_TRUE(slotAt(10, 9, 110));
    EXPECT_TRUE(floorAt(10, 110));
    smile->setX(100);
    jogo.desenhaTela();  // erased from its clipped place too
    EXPECT_TRUE(floorAt(0, 110));
}

TEST_F(PlayScreenTest, PositionTruncatedTowardZero) {
    Smile* smile = TestAccess::smile(mapa());
    smile->setX(99.9f);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(10, 99, 110));
    EXPECT_TRUE(floorAt(98, 110));
}

TEST_F(PlayScreenTest, APanelCellWinsOverAnErasedObject) {
    Iten* iten = TestAccess::iten(mapa());
    iten->setXA(400);
    iten->setYA(10);  // over the elapsed clock, as only a level file could put it
    jogo.limpaTela();
    EXPECT_TRUE(panelAt(401, 21));  // the cell, restored after the object
    EXPECT_TRUE(floorAt(401, 19));    // above the cell: the bare floor, no overlay
}

TEST_F(PlayScreenTest, TheItensOldPlaceErasedWhenItMoves) {
    jogo.desenhaTela();
    ASSERT_TRUE(slotAt(30 + mapa().getIten().getIcone(), 510, 440));
    Iten* iten = TestAccess::iten(mapa());
    Smile* smile = TestAccess::smile(mapa());
    smile->setX(495);  // the player reaches the item during the next update
    smile->setY(395);
    smile->setDirecao(45);
    const float x0 = iten->getX(), y0 = iten->getY();
    JogoTestAccess::frame(jogo);
    ASSERT_TRUE(iten->getX() != x0 || iten->getY() != y0) << "the item was not collected";
    const int nx = static_cast<int>(iten->getX()), ny = static_cast<int>(iten->getY());
    auto insideTheNew = [&](int x, int y) { return x >= nx && x < nx + 39 && y >= ny && y < ny + 50; };
    const int px = static_cast<int>(smile->getX()), py = static_cast<int>(smile->getY());
    auto insideTheSmile = [&](int x, int y) { return x >= px && x < px + 40 && y >= py && y < py + 50; };
    for (int y = 400; y < 450; y += 3)
        for (int x = 500; x < 539; x += 3)
            if (!insideTheNew(x, y) && !insideTheSmile(x, y)) {
                EXPECT_TRUE(floorAt(x, y)) << x << "," << y;
            }
}

TEST_F(PlayScreenTest, ItenTakenTwiceInOneFrameLeavesNoTrail) {
    jogo.desenhaTela();
    Iten* iten = TestAccess::iten(mapa());
    Smile* smile = TestAccess::smile(mapa());
    Ladrao* ladrao = TestAccess::ladrao(mapa());
    const int x0 = static_cast<int>(iten->getX()), y0 = static_cast<int>(iten->getY());
    ASSERT_TRUE(slotAt(30 + iten->getIcone(), x0 + 1, y0 + 1));
    // The player takes the item; the thief waits where it lands and takes it again.
    srand(11);
    const int x1 = rand() % 600 + 20, y1 = rand() % 350 + 80;
    srand(11);
    smile->setX(x0 - 5);
    smile->setY(y0 - 5);
    smile->setDirecao(0);
    ladrao->setExiste(true);
    ladrao->setVelocidade(0);
    ladrao->setX(x1);
    ladrao->setY(y1);
    JogoTestAccess::frame(jogo);
    ASSERT_TRUE(iten->getX() != x1 || iten->getY() != y1) << "the thief did not take the item";
    // Where the item stood last frame, clear of the sprites drawn now, the floor shows.
    const int px = static_cast<int>(smile->getX()), py = static_cast<int>(smile->getY());
    for (int y = y0 + 45; y < y0 + 50; ++y)
        for (int x = x0; x < x0 + 39; ++x)
            if (!(x >= px && x < px + 40 && y >= py && y < py + 40)) {
                EXPECT_TRUE(floorAt(x, y)) << "stale item pixel at " << x << "," << y;
            }
}

// A long game with every enemy on the field and the numbers of its bonuses
// and penalties: outside the sprites and numbers drawn this frame and the
// panel band, the screen must show the bare floor.
TEST_F(PlayScreenTest, ALongGameLeavesNoTrails) {
    const char* level =
        "300 240 5 0 18 0   100 100 0 0 18 0   500 400 0 0 14 0\n"
        "80 420 3 0 18 5    560 120 3 90 18 0  560 420 3 180 18 5\n"
        "150 200 250 220   400 300 420 400   -5 -5 -6 -6   -5 -5 -6 -6\n";
    test::writeFile("01.txt", level);
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    JogoTestAccess::drawBackground(jogo);
    srand(7);
    int errors = 0, popupsSeen = 0, marksSeen = 0;
    for (int q = 0; q < 1400 && errors < 5; ++q) {
        key[KEY_RIGHT] = (q / 40) % 3 == 0;
        key[KEY_LEFT] = (q / 40) % 3 == 1;
        if (mapa().getSegD() < 15) mapa().setSegD(40);  // keep the game going
        JogoTestAccess::frame(jogo);
        std::vector<Rect> current;
        auto add = [&](const Objeto& o, int w, int h) {
            current.push_back({static_cast<int>(o.getX()), static_cast<int>(o.getY()), w, h});
        };
        add(mapa().getSmile(), 40, 40);
        add(mapa().getIten(), 39, 50);
        if (mapa().getCoco().getExiste()) add(mapa().getCoco(), 30, 30);
        if (mapa().getEsposa().getExiste()) add(mapa().getEsposa(), 45, 40);
        if (mapa().getGangster().getExiste()) add(mapa().getGangster(), 43, 42);
        if (mapa().getLadrao().getExiste()) add(mapa().getLadrao(), 38, 40);
        for (const Rect& r : JogoTestAccess::popups(jogo).drawn()) current.push_back(r);
        popupsSeen += !JogoTestAccess::popups(jogo).drawn().empty();
        for (const DrawnSpot* spot : {&JogoTestAccess::marks(jogo).drawn(), &JogoTestAccess::headingMarker(jogo)})
            if (spot->isShown()) current.push_back(spot->rect());
        marksSeen += JogoTestAccess::marks(jogo).drawn().isShown();
        const int step = q % 100 == 99 ? 1 : 5;
        for (int y = 70; y < 480 && errors < 5; y += step) {
            for (int x = (q + y) % step; x < 640; x += step) {
                bool covered = false;
                for (const Rect& r : current)
                    covered = covered || (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h);
                if (!covered && !floorAt(x, y)) {
                    ADD_FAILURE() << "stale pixel at " << x << "," << y << " in frame " << q;
                    ++errors;
                    break;
                }
            }
        }
    }
    EXPECT_TRUE(mapa().getGangster().getExiste()) << "the game should have run long enough for every enemy";
    EXPECT_GT(popupsSeen, 100) << "the game should have shown bonuses and penalties";
    EXPECT_GT(marksSeen, 30) << "the game should have shown marks at the face";
}

TEST_F(PlayScreenTest, EscapeEndsTheGameOnTheFrameItGoesDown) {
    const int before = mapa().getMiliD();
    key[KEY_ESC] = 1;
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    EXPECT_EQ(mapa().getMiliD(), before) << "no update after Escape";
}

TEST_F(PlayScreenTest, PopupsSpellEachKindOfChange) {
    const short plus = SLOT_POPUP_PLUS, minus = SLOT_POPUP_MINUS;
    auto d = slotPopupDigit;
    EXPECT_EQ(Popups::glyphs(2), (std::vector<short>{plus, d(2)}));       // the item
    EXPECT_EQ(Popups::glyphs(-2), (std::vector<short>{minus, d(2)}));     // a wall
    EXPECT_EQ(Popups::glyphs(-4), (std::vector<short>{minus, d(4)}));     // two walls
    EXPECT_EQ(Popups::glyphs(-10), (std::vector<short>{minus, d(1), d(0)}));  // Coco or Esposa
    EXPECT_EQ(Popups::glyphs(-5), (std::vector<short>{minus, d(5)}));     // Ladrao
    EXPECT_EQ(Popups::glyphs(-20), (std::vector<short>{minus, d(2), d(0)}));  // Gangster
    EXPECT_EQ(Popups::glyphs(-18), (std::vector<short>{minus, d(1), d(8)}));  // item and Gangster
    EXPECT_TRUE(Popups::glyphs(0).empty());
    std::set<short> slots;
    for (short k = 0; k < 10; ++k) slots.insert(d(k));
    EXPECT_EQ(slots.size(), 10u);
    EXPECT_EQ(*slots.begin(), 43);
    EXPECT_EQ(*slots.rbegin(), 74);
}

TEST_F(PlayScreenTest, APenaltyShowsUnderTheRedClockForASecondAndBlinksIt) {
    Smile* smile = TestAccess::smile(mapa());
    Gangster* gangster = TestAccess::gangster(mapa());
    TestAccess::esposa(mapa())->setExiste(true);
    ASSERT_NO_FATAL_FAILURE(gangsterHitsTheFace());
    ASSERT_EQ(JogoTestAccess::popups(jogo).drawn().size(), 1u);
    // In the panel band under the red clock's cells (550..630 x 20..41),
    // clear of them and of the playfield, where the face is.
    const Rect r = JogoTestAccess::popups(jogo).drawn()[0];
    EXPECT_GE(r.x, 545);
    EXPECT_LE(r.x + r.w, 640);
    EXPECT_GE(r.y, 42);
    EXPECT_LE(r.y + r.h, 70);
    const Rect g = Popups::place(-20);
    EXPECT_EQ(g.w, 36);
    EXPECT_NEAR(g.x + g.w / 2, 590, 1) << "centred under the red clock";
    EXPECT_TRUE(slotAt(SLOT_POPUP_MINUS, g.x + 1, g.y + 1));
    EXPECT_TRUE(slotAt(slotPopupDigit(2), g.x + 13, g.y + 1));
    EXPECT_TRUE(slotAt(slotPopupDigit(0), g.x + 25, g.y + 1));
    EXPECT_TRUE(slotAt(SLOT_POPUP_BACK, r.x + 1, r.y + 1));
    // Keep the face away from everything, then count the frames it stays.
    smile->setX(500);
    smile->setY(300);
    gangster->setExiste(false);
    TestAccess::esposa(mapa())->setExiste(false);
    std::string clock;
    int shown = 1;
    for (int q = 0; q < 40; ++q) {
        JogoTestAccess::frame(jogo);
        shown += !JogoTestAccess::popups(jogo).drawn().empty();
        clock += panelAt(551, 21) ? '-' : 'o';
    }
    EXPECT_EQ(shown, Popups::LIFE);
    EXPECT_TRUE(panelAt(r.x + 1, r.y + 1)) << "the panel comes back when the number goes";
    // Off and on twice after the penalty, then shown for good.
    EXPECT_EQ(clock.substr(0, 11), "--ooo---ooo");
    EXPECT_EQ(clock.find('-', 11), std::string::npos);
}

// Muted, the speaker-off sign shows in the panel band, clear of the clocks,
// the speed and the title; unmuted, the band comes back under it.
TEST_F(PlayScreenTest, MuteSignInThePanelBandWhileMuted) {
    const MuteSignSpot spot = muteSignSpot(MuteSignPlace::PanelBand);
    EXPECT_EQ(spot.backgroundSlot, 25);
    EXPECT_GE(spot.x, 260);
    EXPECT_LE(spot.x + 28, 345);  // before the yellow clock's icon at 350
    EXPECT_LE(spot.y + 24, 70);
    JogoTestAccess::audio(jogo).setMuted(true);
    jogo.desenhaTela();
    EXPECT_TRUE(slotAt(SLOT_MUTE_SIGN, spot.x + 1, spot.y + 1));
    JogoTestAccess::audio(jogo).setMuted(false);
    jogo.desenhaTela();
    EXPECT_TRUE(panelAt(spot.x + 1, spot.y + 1));
    // Paused, nothing of the game is drawn, but M still shows at once.
    key[KEY_P] = 1;
    JogoTestAccess::frame(jogo);
    key[KEY_P] = 0;
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused);
    key[KEY_M] = 1;
    JogoTestAccess::frame(jogo);
    key[KEY_M] = 0;
    EXPECT_TRUE(slotAt(SLOT_MUTE_SIGN, spot.x + 1, spot.y + 1));
}

// A bonus straight after a penalty takes its place: one number at a time.
TEST_F(PlayScreenTest, ANewPopupReplacesTheOneShowing) {
    Popups popups;
    popups.note(-20);
    popups.note(0);
    popups.note(2);
    popups.draw(JogoTestAccess::render(jogo));
    ASSERT_EQ(popups.drawn().size(), 1u);
    const Rect g = Popups::place(2);
    EXPECT_TRUE(slotAt(SLOT_POPUP_PLUS, g.x + 1, g.y + 1));
    EXPECT_TRUE(slotAt(slotPopupDigit(2), g.x + 13, g.y + 1));
    EXPECT_TRUE(slotAt(SLOT_POPUP_BACK, g.x + 27, g.y + 1)) << "nothing left of the -20 beside it";
}

// Escape in the dark beat of a blink: the red clock still shows its value
// above the summary, as does the elapsed one.
TEST_F(PlayScreenTest, AGameEndedMidBlinkKeepsBothClocks) {
    ASSERT_NO_FATAL_FAILURE(gangsterHitsTheFace());
    ASSERT_TRUE(JogoTestAccess::popups(jogo).clockHidden());
    ASSERT_TRUE(panelAt(551, 21));
    key[KEY_ESC] = 1;
    JogoTestAccess::frame(jogo);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    const int m = mapa().getMinD(), s = mapa().getSegD();
    EXPECT_EQ(clockAt(550), (std::vector<int>{60 + m / 10, 60 + m % 10, 71, 60 + s / 10, 60 + s % 10}));
    EXPECT_EQ(clockAt(400), (std::vector<int>{50, 50, 70, 50, 51}));
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_ENDED, SummaryCard::X + 21, SummaryCard::Y + 55)) << "ended by the player";
}

TEST_F(PlayScreenTest, SummaryAfterTheClockRunsOut) {
    test::writeFile("rank.txt", "0 5\n0 6\n0 7\n0 8\n0 9\n0 10\n0 11\n0 30\n0 40\n0 50\n");
    JogoTestAccess::openMenu(jogo);
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    JogoTestAccess::drawBackground(jogo);
    mapa().setSeg(19);  // the last update of a plain game
    mapa().setMili(30);
    mapa().setMiliD(0);
    mapa().setSegD(1);
    for (int frames = 0; JogoTestAccess::screen(jogo) == GameScreen::Play && frames < 100; ++frames)
        JogoTestAccess::frame(jogo);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    ASSERT_EQ(mapa().getSeg(), 20);
    // Written before the summary shows: 0:20 is fourth, longer than seven kept.
    EXPECT_EQ(test::readFile("rank.txt"), "0 6\n0 7\n0 8\n0 9\n0 10\n0 11\n0 20\n0 30\n0 40\n0 50\n");
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    EXPECT_EQ(JogoTestAccess::summary(jogo).place(), 4);
    const int x = SummaryCard::X, y = SummaryCard::Y;
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_CARD, x + 2, y + 2));
    EXPECT_EQ(clockAt(x + 208, y + 89), (std::vector<int>{50, 50, 70, 52, 50}));
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_TIME_UP, x + 21, y + 55));
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_PLACE, x + 21, y + 125));
    EXPECT_TRUE(slotAt(54, x + 216, y + 132));
    EXPECT_TRUE(slotAt(10, x + 15, y + 11)) << "a ranked place: the happy face";
    EXPECT_FALSE(slotAt(SLOT_SUMMARY_BEST, x + SummaryCard::BEST_X + 1, y + SummaryCard::BEST_Y + 1));
}

TEST_F(PlayScreenTest, SummaryAfterEscapeAndItsWayOut) {
    test::writeFile("rank.txt", "0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n");
    JogoTestAccess::openMenu(jogo);
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    for (int q = 0; q < 100; ++q) JogoTestAccess::frame(jogo);
    key[KEY_ESC] = 1;
    JogoTestAccess::frame(jogo);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    EXPECT_EQ(test::readFile("rank.txt").substr(0, 4), "0 1\n");
    EXPECT_NE(test::readFile("rank.txt").find("0 4\n"), std::string::npos);
    EXPECT_EQ(JogoTestAccess::summary(jogo).place(), 1);
    const int x = SummaryCard::X, y = SummaryCard::Y;
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_BEST, x + SummaryCard::BEST_X + 1, y + SummaryCard::BEST_Y + 1));
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_ENDED, x + 21, y + 55));
    // The Escape that ended the game, still held, does not close it; nor does
    // a right click. A fresh Enter does.
    for (int q = 0; q < 10; ++q) JogoTestAccess::frame(jogo);
    mouse_b = 2;
    JogoTestAccess::frame(jogo);
    mouse_b = 0;
    key[KEY_ESC] = 0;
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    key[KEY_ENTER] = 1;
    JogoTestAccess::frame(jogo);
    EXPECT_NE(JogoTestAccess::screen(jogo), GameScreen::Summary);
}

// The card's two buttons, Play again focused first: an arrow moves the
// focus mark to the other; Enter, Space or a click act on the focused one,
// a click on a button on that one; Escape goes to the menu as it opens.
// Play again starts the same level at once.
TEST_F(PlayScreenTest, TheSummarysButtonsPlayAgainOrGoToTheMenu) {
    const int playX = SummaryCard::X + SummaryCard::BUTTON_X[0] + 5;
    const int menuX = SummaryCard::X + SummaryCard::BUTTON_X[1] + 5, buttonY = SummaryCard::Y + SummaryCard::BUTTON_Y + 5;
    const struct {
        std::vector<int> keys;
        int clickX;
        GameScreen to;
    } ways[] = {
        {{KEY_ENTER}, 0, GameScreen::CountIn},          {{KEY_RIGHT, KEY_ENTER}, 0, GameScreen::Menu},
        {{KEY_RIGHT, KEY_LEFT, KEY_SPACE}, 0, GameScreen::CountIn}, {{KEY_DOWN, KEY_SPACE}, 0, GameScreen::Menu},
        {{KEY_ESC}, 0, GameScreen::Menu},              {{}, menuX, GameScreen::Menu},
        {{KEY_RIGHT}, playX, GameScreen::CountIn},        {{KEY_RIGHT}, 600, GameScreen::Menu},  // beside both
    };
    for (const auto& way : ways) {
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
        mapa().setSeg(7);
        JogoTestAccess::finishGame(jogo);
        for (int k : way.keys) {
            key[KEY_ENTER] = key[KEY_SPACE] = key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_DOWN] = 0;
            key[k] = 1;
            JogoTestAccess::frame(jogo);
        }
        if (JogoTestAccess::screen(jogo) == GameScreen::Summary) {
            const bool onMenu = JogoTestAccess::summary(jogo).focus() == Summary::MENU;
            EXPECT_TRUE(slotAt(SLOT_SUMMARY_FOCUS, onMenu ? menuX : playX, buttonY));
            EXPECT_TRUE(slotAt(onMenu ? SLOT_SUMMARY_PLAY_AGAIN : SLOT_SUMMARY_MENU, onMenu ? playX : menuX, buttonY));
            mouse_x = way.clickX, mouse_y = buttonY, mouse_b = 1;
            JogoTestAccess::frame(jogo);
        }
        JogoTestAccess::frame(jogo);  // the press that acted, still held, does nothing more
        EXPECT_EQ(JogoTestAccess::screen(jogo), way.to) << way.keys.size() << " keys, click at " << way.clickX;
        if (way.to == GameScreen::CountIn) EXPECT_LT(mapa().getSeg(), 7) << "a new game of level " << JogoTestAccess::level(jogo);
        else EXPECT_EQ(JogoTestAccess::menu(jogo), MenuState());
        TearDown();
        JogoTestAccess::frame(jogo);  // everything seen let go
    }
}

// The level's best under the time, and its note: the first game, a longer
// one, then a shorter one and a tie, which say nothing.
TEST_F(PlayScreenTest, TheCardTellsTheLevelsBest) {
    const int x = SummaryCard::X, y = SummaryCard::Y;
    const struct {
        short seconds, note, best;
    } games[] = {{10, SLOT_SUMMARY_FIRST_GAME, 10},
                 {20, SLOT_SUMMARY_LEVEL_BEST, 20},
                 {15, 0, 20},
                 {20, 0, 20}};
    for (const auto& g : games) {
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
        JogoTestAccess::drawBackground(jogo);
        mapa().setSeg(g.seconds);
        JogoTestAccess::finishGame(jogo);
        EXPECT_TRUE(slotAt(SLOT_SUMMARY_BEST_LABEL, x + SummaryCard::LEVEL_X + 1, y + SummaryCard::LEVEL_Y + 1));
        EXPECT_EQ(clockAt(x + SummaryCard::LEVEL_TIME_X, y + SummaryCard::LEVEL_TIME_Y),
                  (std::vector<int>{50, 50, 70, 50 + g.best / 10, 50 + g.best % 10}))
            << g.seconds;
        for (short note : {SLOT_SUMMARY_FIRST_GAME, SLOT_SUMMARY_LEVEL_BEST})
            EXPECT_EQ(slotAt(note, x + SummaryCard::NOTE_X + 1, y + SummaryCard::NOTE_Y + 1), note == g.note)
                << g.seconds;
    }
    EXPECT_EQ(test::readFile("best.txt"), "1 0 20\n");
}

// Another program holds rank.txt's lock as the game ends: the card shows at
// once, saying "Saving...", and the place and badge once the lock is free.
TEST_F(PlayScreenTest, TheCardSaysSavingUntilTheLockIsFree) {
    const int x = SummaryCard::X, y = SummaryCard::Y;
    test::writeFile("rank.txt", "0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n");
    auto other = std::make_unique<test::HeldLock>("rank.txt");
    ASSERT_TRUE(other->held());
    mapa().setSeg(30);
    JogoTestAccess::finishGame(jogo);
    JogoTestAccess::frame(jogo);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Summary);
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_SAVING, x + SummaryCard::LINE_X + 1, y + SummaryCard::LINE_Y + 1));
    EXPECT_EQ(JogoTestAccess::summary(jogo).place(), 0);
    other.reset();
    JogoTestAccess::frame(jogo);
    EXPECT_EQ(JogoTestAccess::summary(jogo).place(), 1);
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_PLACE, x + SummaryCard::LINE_X + 1, y + SummaryCard::LINE_Y + 1));
    EXPECT_TRUE(slotAt(SLOT_SUMMARY_BEST, x + SummaryCard::BEST_X + 1, y + SummaryCard::BEST_Y + 1));
    EXPECT_NE(test::readFile("rank.txt").find("0 30\n"), std::string::npos);
}

// Played by someone who may not write the folder nor the rank file there:
// the summary says "Not saved" with no place, stderr names the file and the
// reason, and the ranking panel shows the table the file holds. Root writes
// anywhere, so the game runs as the user nobody in a child.
TEST_F(PlayScreenTest, ARankingThatCannotBeSavedIsSaidSo) {
    test::writeFile("rank.txt", "0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 1\n0 2\n");
    const std::string rank = std::filesystem::current_path().string() + "/rank.txt";
    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chmod(".", 0555) != 0) _exit(10);
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(77);
        }
        if (access(".", W_OK) == 0 || access("rank.txt", W_OK) == 0) _exit(77);
        JogoTestAccess::openMenu(jogo);
        mapa().setSeg(30);
        testing::internal::CaptureStderr();
        JogoTestAccess::finishGame(jogo);
        const std::string said = testing::internal::GetCapturedStderr();
        if (JogoTestAccess::summary(jogo).place() != 0) _exit(1);
        if (!slotAt(SLOT_SUMMARY_NOT_SAVED, SummaryCard::X + 21, SummaryCard::Y + 125)) _exit(2);
        if (!slotAt(11, SummaryCard::X + 15, SummaryCard::Y + 11)) _exit(3);
        if (said != "lumo: " + rank + " could not be saved: Permission denied\n" + "lumo: " +
                        std::filesystem::current_path().string() + "/best.txt could not be saved: Permission denied\n")
            _exit(4);
        // The panel's best row (the bottom one, y 294) is the file's 0:02.
        JogoTestAccess::openMenu(jogo);
        jogo.ranking();
        if (!slotAt(52, 395, 295) || !slotAt(50, 347, 295)) _exit(5);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(".", 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no user nobody to take the part of a player";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 a place shown, 2 no \"Not saved\", 3 not the sad face, "
                                         "4 no line on stderr, 5 the panel not the file's table";
}

// Each mark's three frames at the face, then the erase after the last gives
// back the floor or the panel, also where it reached over the band or past
// an edge; the heading marker the same.
TEST_F(PlayScreenTest, MarksAndTheHeadingMarkerLeaveNoTrail) {
    layMarkPictures();
    BITMAP* before = create_bitmap_ex(32, 640, 480);
    blit(screen, before, 0, 0, 0, 0, 640, 480);
    UpdateReport wall, hit, item;
    wall.wallBumps = 1;
    hit.hitBy[ENEMY_COCO] = true;
    item.itemCollected = true;
    const std::pair<const UpdateReport&, short> kinds[] = {
        {wall, SLOT_MARK_WALL}, {hit, SLOT_MARK_HIT}, {item, SLOT_MARK_ITEM}};
    const std::pair<float, float> places[] = {{300, 240}, {300, 70}, {-30, 200}, {630, 300}, {300, 480}, {-30, 70}};
    Render& render = JogoTestAccess::render(jogo);
    for (const auto& [report, firstSlot] : kinds) {
        for (const auto& [x, y] : places) {
            FeedbackMarks marks;
            DrawnSpot heading;
            for (short update = 0; update <= FeedbackMarks::FRAMES; ++update) {
                marks.note(update == 0 ? report : UpdateReport(), x, y);
                marks.erase(render, 20);
                heading.erase(render, 20);
                if (update == FeedbackMarks::FRAMES) break;
                drawHeadingMarker(heading, render, update * 120, x, y);
                marks.draw(render);
                if (x == 300 && y == 240) {
                    EXPECT_EQ(getr32(getpixel(screen, 320, 260)), firstSlot + update);
                }
            }
            int trails = 0;
            for (int py = 0; py < 480; ++py)
                for (int px = 0; px < 640; ++px) trails += !(test::pixel(screen, px, py) == test::pixel(before, px, py));
            EXPECT_EQ(trails, 0) << "mark " << firstSlot << " at " << x << "," << y;
        }
    }
    destroy_bitmap(before);
}
