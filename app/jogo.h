// The game application: start-up and shut-down, the game loop with its frame
// wait, the menu, the ranking table and the drawing of each frame of play.
// jogo.cpp holds start-up and the loop; menu.cpp, ranking.cpp and tela.cpp
// the menu, the ranking and the play screen.
#pragma once

#include "app/options.h"
#include "app/pause.h"
#include "audio/allegro_audio.h"
#include "audio/audio.h"
#include "input/input.h"
#include "level/mapa.h"
#include "marks/feedback_marks.h"
#include "popups/popups.h"
#include "render/render.h"
#include "settings/settings.h"
#include "summary/summary.h"

#include <fstream>

// Timer periods counted during a frame's work; the frame wait subtracts them.
extern volatile int ticks;
void ticker();

// Milliseconds a frame waits after its work: 30 less the timer periods that
// fell during it, and never a negative time.
int tempoDeEspera(int periodos);

// What one stay in the menu remembers between frames.
struct EstadoMenu {
    short escolha = 0;  // the button the pointer marks: 0 new game .. 4 exit
    bool nJogo = false;  // level chooser open
    bool rankin = false;
    bool ajuda = false;
    bool creditos = false;
    short ajudaPagina = 0;
    short nivelFoco = 0;  // the chooser's level button that Enter starts: 0 to 2

    bool operator==(const EstadoMenu& o) const {
        return escolha == o.escolha && nJogo == o.nJogo && rankin == o.rankin && ajuda == o.ajuda &&
               creditos == o.creditos && ajudaPagina == o.ajudaPagina && nivelFoco == o.nivelFoco;
    }
};

class Jogo {
public:
    Jogo();

    bool alInit(const Options& options = Options());
    void alClose();

    // Runs the menu until a level is set up (fim false) or exit is clicked (fim true).
    void gameMenu();
    // Runs one game of level nr, then the ranking step and the summary.
    void gameLoop();
    // The ranking written, then the summary drawn over the playfield.
    void finishGame();
    // One frame of the summary without its wait.
    void summaryFrame();

    // Sets up level n for the next game; false when its file cannot be read.
    bool iniciaJogo(short n);
    // The level background and the panel, drawn once as a game starts.
    void desenhaFundo();
    // One frame of play without its wait: keys, update, drawing.
    void quadroJogo();

    void capturaComandos();
    void atualizaLogica();
    void desenhaTela();
    void limpaTela();

    // The menu's steps, apart so that a test can drive it frame by frame.
    void entraMenu();
    void quadroMenu();

    // The ranking table: ten (minutes, seconds) pairs, lowest first.
    void ordenaSelection();
    void swap(short i, short point);
    // Enters the result of the game just ended into the table as the rank
    // file holds it now (another copy of the game may have written since)
    // and writes it back: the place it took, whether it is a new best, and
    // whether the file took it (if not, the table is the file's again).
    RankingEntry insereRanking();
    void ranking();

    bool getFim() const { return fim; }
    bool getMenu() const { return menu; }
    short getNr() const { return nr; }
    const EstadoMenu& getEstadoMenu() const { return estado; }
    const short* getRanking() const { return aux2; }
    Mapa& getMapa() { return mapa; }
    const Input& getInput() const { return input; }
    const Pause& getPause() const { return pause; }
    Render& getRender() { return render; }
    // Everything the game plays goes through here (mute, pause of the music).
    Audio& getAudio() { return audio; }
    const Summary& getSummary() const { return summary; }
    const Popups& getPopups() const { return popups; }
    const FeedbackMarks& getMarks() const { return marks; }
    const DrawnSpot& getHeadingSpot() const { return headingSpot; }

private:
    void esperaQuadro();
    // This frame's input, with the keys every screen shares already handled.
    void leEntrada(Screen screen);
    // The menu's state from this frame's actions and mouse; its picture.
    void atualizaMenu();
    void acionaBotao(short botao);
    void desenhaMenu();
    // The menu's state and buttons as it opens, without its music or input.
    void abreMenu();
    // The menu as it opens, sent to the window at once: the first thing
    // start-up shows, while the other pictures load.
    void mostraPrimeiroQuadro();
    void leRanking();
    void eraseClocks();
    void drawClocks();
    void desenhaRelogio(int minutos, int segundos, short primeiroSlot, short separador, short x);
    void desenhaObjeto(const Objeto& o, short slot);
    void desenhaInimigo(const Inimigo& i, short slot);
    void apagaObjeto(const Objeto& o, short largura, short altura);

    Render render;
    AllegroAudio speakers;
    Audio audio;
    SettingsSaver settings;  // the choices made while playing, kept in lumo.cfg
    Mapa mapa;
    Input input;  // read once at the start of every frame, menu or game
    Pause pause;
    bool fim;
    bool menu;
    short aux2[20];
    short nr;
    short rel1;
    EstadoMenu estado;
    EstadoMenu desenhado;  // the state the menu's picture shows
    bool menuDesenhado = false;
    bool mudoDesenhado = false;  // whether that picture shows the mute sign
    Summary summary;
    Popups popups;
    FeedbackMarks marks;
    DrawnSpot headingSpot;
};
