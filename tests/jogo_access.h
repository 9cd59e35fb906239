// Test-only access to the game application: one frame of the loop without
// its present and wait, a screen entered directly, and the parts it holds.
#pragma once

#include "app/jogo.h"

class JogoTestAccess {
public:
    // One frame of whatever screen shows, with the move to the next one.
    static void frame(Jogo& j) { j.frame(); }
    static GameScreen screen(const Jogo& j) { return j.screen; }
    static void enter(Jogo& j, GameScreen s) { j.enter(s); }
    // The menu as it opens after a game.
    static void openMenu(Jogo& j) { j.enter(GameScreen::Menu); }
    // A game of `level` as the menu starts it, counting in; false when it
    // stayed in the menu.
    static bool startGame(Jogo& j, short level) {
        j.screen = GameScreen::Menu;
        j.nr = level;
        j.enter(GameScreen::CountIn);
        return j.screen == GameScreen::CountIn;
    }
    // The level set up and played from the next frame, with no count-in and
    // nothing drawn.
    static bool startLevel(Jogo& j, short level) {
        j.nr = level;
        j.popups.clear();
        j.fim = false;
        j.screen = GameScreen::Play;
        return j.mapa.inicia(level);
    }
    static void drawBackground(Jogo& j) { j.play.drawBackground(j.render, j.nr); }
    // The game ends here: the result ranked, the summary opened.
    static void finishGame(Jogo& j) { j.enter(GameScreen::Summary); }

    static short level(const Jogo& j) { return j.nr; }
    static const MenuState& menu(const Jogo& j) { return j.menu.current(); }
    static const short* ranking(const Jogo& j) { return j.table.table(); }
    static Ranking& table(Jogo& j) { return j.table; }
    static Mapa& mapa(Jogo& j) { return j.mapa; }
    static Render& render(Jogo& j) { return j.render; }
    static Audio& audio(Jogo& j) { return j.audio; }
    static const Input& input(const Jogo& j) { return j.input; }
    static const Popups& popups(const Jogo& j) { return j.popups; }
    static const FeedbackMarks& marks(const Jogo& j) { return j.marks; }
    static const DrawnSpot& headingMarker(const Jogo& j) { return j.play.headingMarker(); }
    static const Summary& summary(const Jogo& j) { return j.summary; }
};
