// The game application: start-up and shut-down, the game loop with its frame
// wait, the menu, the ranking table and the drawing of each frame of play.
#pragma once

#include "level/mapa.h"
#include "render/render.h"

#include <fstream>

// Timer periods counted during a frame's work; the frame wait subtracts them.
extern volatile int ticks;
void ticker();

// Milliseconds a frame waits after its work: 30 less the timer periods that
// fell during it, and never a negative time.
int tempoDeEspera(int periodos);

class Jogo {
public:
    Jogo();

    bool alInit();
    void alClose();

    // Runs the menu until a level is set up (fim false) or exit is clicked (fim true).
    void gameMenu();
    // Runs one game of level nr, then the ranking step.
    void gameLoop();

    void capturaComandos();
    void atualizaLogica();

    bool getFim() const { return fim; }
    Mapa& getMapa() { return mapa; }
    Render& getRender() { return render; }

private:
    void esperaQuadro();

    Render render;
    Mapa mapa;
    bool fim;
    bool menu;
    std::fstream rank;
    short nr;
    short rel1;
};
