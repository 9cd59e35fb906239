// A paused game: P and a lost focus stop everything, only P goes on, and
// the picture over the playfield leaves no trace.
#include <gtest/gtest.h>

#include "pause/pause.h"
#include "pause/pause_card.h"
#include "tests/jogo_access.h"
#include "display/dirty_rects.h"
#include "tests/test_access.h"
#include "tests/support.h"

#include <array>
#include <vector>

namespace {

class Pausing : public ::testing::Test {
protected:
    void SetUp() override {
        test::startAllegro();
        test::makeImageSet();
        // A "Paused" picture of the real size, so it covers objects.
        for (const ArquivoImagem& a : Render::tabela())
            if (a.slot == PauseCard::SLOT) test::saveImage(a.caminho, 300, 130, 250, 250, 20);
        ASSERT_TRUE(JogoTestAccess::render(jogo).carregaImagens());
        test::Level level = test::neutralLevel(1);
        level.objects[0] = {300, 260, 5, 0, 10, 5};  // the player starts under the picture
        test::writeFile("01.txt", test::levelText(level));
        ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
        JogoTestAccess::drawBackground(jogo);
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    // One frame with P down or up.
    void frame(bool p) {
        key[KEY_P] = p;
        JogoTestAccess::frame(jogo);
    }
    // Every clock, counter and position a frame of play could change.
    std::vector<float> everything() {
        Mapa& m = JogoTestAccess::mapa(jogo);
        std::vector<float> v = {float(m.getMin()),  float(m.getSeg()),  float(m.getMili()),
                                float(m.getMinD()), float(m.getSegD()), float(m.getMiliD()),
                                float(TestAccess::tempo(m)), float(m.getSmile().getVelocidade())};
        const std::array<Objeto, 6> objects = {m.getSmile(), m.getIten(), m.getCoco(),
                                               m.getEsposa(), m.getGangster(), m.getLadrao()};
        for (const Objeto& o : objects) {
            v.insert(v.end(), {o.getX(), o.getY(), o.getXA(), o.getYA(), float(o.getDirecao())});
        }
        v.push_back(float(m.getCoco().getExiste()));
        return v;
    }
    bool screenEquals(BITMAP* copy) {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (getpixel(screen, x, y) != getpixel(copy, x, y)) return false;
        return true;
    }

    test::TempFolder folder;
    Jogo jogo;
};

TEST_F(Pausing, NothingAdvancesAndNothingIsDrawnWhilePaused) {
    for (int f = 0; f < 200; ++f) frame(false);  // the Coco is on the field by now
    frame(true);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused);
    const std::vector<float> before = everything();
    BITMAP* shown = create_bitmap(640, 480);
    blit(screen, shown, 0, 0, 0, 0, 640, 480);
    pictureChanges().clear();
    for (int f = 0; f < 1000; ++f) frame(false);
    EXPECT_EQ(everything(), before);
    EXPECT_TRUE(screenEquals(shown));
    EXPECT_TRUE(pictureChanges().rects().empty()) << "a paused frame draws nothing";
    destroy_bitmap(shown);
}

TEST_F(Pausing, HoldingPTogglesOnceAndPressingAgainResumes) {
    frame(false);
    for (int f = 0; f < 20; ++f) frame(true);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused) << "held, it paused once and stayed paused";
    frame(false);
    const Mapa& m = JogoTestAccess::mapa(jogo);
    const int seconds = m.getSegD(), updates = m.getMiliD();
    frame(true);
    EXPECT_NE(JogoTestAccess::screen(jogo), GameScreen::Paused);
    EXPECT_NE(m.getMiliD() + 100 * m.getSegD(), updates + 100 * seconds)
        << "the resuming frame is a frame of play";
}

TEST_F(Pausing, ThePictureLiesCentredAndLeavesNoTrace) {
    frame(false);
    BITMAP* background = JogoTestAccess::render(jogo).imagem(20);
    frame(true);
    // 300x130 centred over the playfield, y 70 to 480.
    EXPECT_EQ(test::pixel(screen, 170, 210), (test::Rgb{250, 250, 20}));
    EXPECT_EQ(test::pixel(screen, 469, 339), (test::Rgb{250, 250, 20}));
    EXPECT_FALSE(test::pixel(screen, 169, 209) == (test::Rgb{250, 250, 20}));
    EXPECT_FALSE(test::pixel(screen, 470, 340) == (test::Rgb{250, 250, 20}));
    frame(false);
    frame(true);  // resumes, and this frame draws the objects again
    const Smile s = JogoTestAccess::mapa(jogo).getSmile();
    const int sx = int(s.getX()), sy = int(s.getY());
    for (int y = 210; y < 340; ++y)
        for (int x = 170; x < 470; ++x) {
            const bool underPlayer = x >= sx && x < sx + 16 && y >= sy && y < sy + 16;
            const Rect& m = JogoTestAccess::headingMarker(jogo).rect();
            const bool underMarker = x >= m.x && x < m.x + m.w && y >= m.y && y < m.y + m.h;
            if (underPlayer || underMarker) continue;
            ASSERT_EQ(getpixel(screen, x, y), getpixel(background, x, y)) << x << "," << y;
        }
    EXPECT_TRUE(test::pixel(screen, sx + 1, sy + 1) == test::rgbOf(test::slotColour(10)))
        << "the player is drawn again where it stands";
}

TEST_F(Pausing, APressBegunInTheMenuDoesNotPauseTheGame) {
    JogoTestAccess::openMenu(jogo);
    key[KEY_P] = 1;
    for (int f = 0; f < 3; ++f) JogoTestAccess::frame(jogo);
    ASSERT_TRUE(JogoTestAccess::startLevel(jogo, 1));
    JogoTestAccess::drawBackground(jogo);
    for (int f = 0; f < 10; ++f) frame(true);
    EXPECT_NE(JogoTestAccess::screen(jogo), GameScreen::Paused);
    frame(false);
    frame(true);
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused) << "a new press does";
}

// Counting in, the face turns and nothing else changes, whatever the frames
// between: a pause resumes into the count-in, and play follows its last frame
// with no word left on the screen.
TEST_F(Pausing, CountingInOnlyTheFaceTurnsAndAPauseResumesIntoIt) {
    ASSERT_TRUE(JogoTestAccess::startGame(jogo, 1));
    std::vector<float> before = everything();
    const int HEADING = 12;  // the face's, after the clocks and counters
    key[KEY_RIGHT] = 1;
    for (int f = 0; f < 10; ++f) frame(false);
    frame(true);
    ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::Paused);
    for (int f = 0; f < 50; ++f) frame(false);
    frame(true);
    for (int f = 11; f < CountIn::FRAMES; ++f) {
        ASSERT_EQ(JogoTestAccess::screen(jogo), GameScreen::CountIn) << f;
        frame(false);
    }
    EXPECT_EQ(JogoTestAccess::screen(jogo), GameScreen::Play) << "after its frames, and not one later";
    std::vector<float> after = everything();
    EXPECT_EQ(after[HEADING], float((int(before[HEADING]) + CountIn::FRAMES * 15) % 360)) << "turned every frame";
    after[HEADING] = before[HEADING];
    EXPECT_EQ(after, before);
    frame(false);
    EXPECT_NE(everything()[2], before[2]) << "the first update";
    for (short slot : {SLOT_READY, SLOT_GO})
        for (int y = 70; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                ASSERT_FALSE(test::pixel(screen, x, y) == test::rgbOf(test::slotColour(slot))) << x << "," << y;
}

// The card names the control that goes on for the device used last; with
// the pad pulled out it says so, and P it is.
TEST_F(Pausing, TheCardNamesTheControlThatResumes) {
    struct Case {
        bool padUsedLast, padLost;
        short resume;
    } cases[] = {{false, false, SLOT_PAUSE_RESUME_KEY}, {true, false, SLOT_PAUSE_RESUME_PAD},
                 {true, true, SLOT_PAUSE_RESUME_KEY}};
    Render& render = JogoTestAccess::render(jogo);
    const int x = 170, y = 210;  // the 300x130 card centred on the playfield
    for (const Case& c : cases) {
        JogoTestAccess::drawBackground(jogo);
        PauseCard::draw(render, c.padUsedLast, c.padLost);
        EXPECT_EQ(test::pixel(screen, x + 112, y + 76), test::rgbOf(test::slotColour(c.resume)));
        EXPECT_EQ(test::pixel(screen, x + 16, y + 112) == test::rgbOf(test::slotColour(SLOT_PAUSE_PAD_LOST)),
                  c.padLost);
    }
}

TEST(PauseRule, LosingTheFocusPausesAndOnlyPResumes) {
    EXPECT_EQ(pauseChange(false, false, false), PauseChange::None);
    EXPECT_EQ(pauseChange(false, false, true), PauseChange::Pauses);
    EXPECT_EQ(pauseChange(false, true, false), PauseChange::Pauses);
    EXPECT_EQ(pauseChange(true, false, false), PauseChange::None) << "the focus coming back does not resume";
    EXPECT_EQ(pauseChange(true, false, true), PauseChange::None);
    EXPECT_EQ(pauseChange(true, true, false), PauseChange::Resumes);
}

}  // namespace
