// The game application: start-up and shut-down, and the one frame loop that
// drives every screen. Each screen's state and picture live in their own
// units (app/menu, app/menu_screen, app/ranking, play/play_screen, pause/,
// summary/); Jogo holds them and moves between them.
#pragma once

#include "app/menu.h"
#include "app/menu_screen.h"
#include "app/options.h"
#include "app/ranking.h"
#include "audio/allegro_audio.h"
#include "audio/audio.h"
#include "countin/count_in.h"
#include "input/input.h"
#include "level/mapa.h"
#include "marks/feedback_marks.h"
#include "play/play_screen.h"
#include "popups/popups.h"
#include "render/render.h"
#include "settings/settings.h"
#include "summary/summary.h"

// Timer periods counted during a frame's work; the frame wait subtracts them.
extern volatile int ticks;
void ticker();

// Milliseconds a frame waits after its work: 30 less the timer periods that
// fell during it, and never a negative time.
int tempoDeEspera(int periodos);

// What the loop shows. A new screen is a new name here, a case in
// Jogo::frame and, if it has an opening picture, one in Jogo::enter.
enum class GameScreen { Menu, CountIn, Play, Paused, Summary, Exit };

class Jogo {
public:
    Jogo();

    bool alInit(const Options& options = Options());
    void alClose();

    // Every screen, one frame at a time, until the player leaves.
    void gameLoop();

    // One frame of the menu: the next screen (CountIn once a level is
    // chosen, with nr set; Exit after the exit button).
    GameScreen gameMenu();

    void capturaComandos();
    void atualizaLogica();
    void desenhaTela();
    void limpaTela();

    // The ranking table (app/ranking.h), the game's result entered into it,
    // and its rows on the ranking panel.
    void ordenaSelection();
    RankingEntry insereRanking();
    void ranking();

private:
    friend class JogoTestAccess;

    // Input, the current screen's update and drawing, and the move to the
    // screen it asks for; no present, no wait.
    void frame();
    // Leaves the current screen for `next`, drawing what it opens with. A
    // level that cannot be set up leaves the menu showing.
    void enter(GameScreen next);
    // A frame of a game: its count-in, its play or its pause.
    GameScreen playFrame();
    GameScreen summaryFrame();
    // The result into the ranking and the level's best, the end sound and
    // the clocks as they stood.
    void finishGame();
    // A save that waited for another process's lock settled: the card or
    // the menu shows the outcome.
    void saveSettled();
    void waitFrame();
    // The menu as it opens: pointer shown, no panel, the ranking read afresh.
    void openMenu();
    // Level nr set up and its background drawn; false, with what is wrong,
    // when its file cannot be used.
    bool startGame(LevelProblem& problem);

    Render render;
    AllegroAudio speakers;
    Audio audio;
    SettingsSaver settings;  // the choices made while playing, kept in lumo.cfg
    Mapa mapa;
    Input input;  // read once at the start of every frame
    GameScreen screen = GameScreen::Menu;
    short nr;
    bool fim;  // the game under way is over: its remaining clock ran out
    bool pausedForPad = false;  // the pad was pulled out for this pause: the card says so
    MainMenu menu;
    MenuScreen menuScreen;
    Ranking table;
    PlayScreen play;
    CountIn countIn;
    Popups popups;
    FeedbackMarks marks;
    Summary summary;
};
