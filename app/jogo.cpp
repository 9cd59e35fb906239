#include "app/jogo.h"

#include "app/start_allegro.h"

volatile int ticks = 0;

void ticker() { ticks = ticks + 1; }
END_OF_FUNCTION(ticker)

// The table starts at zeros so a missing rank file shows 00:00 rows.
Jogo::Jogo() : fim(false), menu(false), aux2{}, nr(1), rel1(0) {}

bool Jogo::alInit() {
    // Without a usable system (no display at all) the input drivers would crash.
    if (!startAllegro()) {
        allegro_message("Unable to start Allegro: is there a display?\n");
        return false;
    }
    install_keyboard();
    install_mouse();
    install_timer();
    return render.iniciaTela();
}

// The images go first: destroying a bitmap needs Allegro still installed.
void Jogo::alClose() {
    render.liberaImagens();
    allegro_exit();
}

bool Jogo::iniciaJogo(short n) {
    nr = n;
    popups.clear();
    return mapa.inicia(nr);
}

void Jogo::gameLoop() {
    desenhaFundo();
    // The click that chose the level, or a key held from the menu, is old.
    input.forgetHeld();
    while (!fim) {
        quadroJogo();
        esperaQuadro();
    }
    finishGame();
    while (summary.isOpen()) {
        esperaQuadro();
        summaryFrame();
    }
}

void Jogo::finishGame() {
    ordenaSelection();
    const short place = insereRanking();
    // The key or click that ended the game does not also close the summary.
    input.forgetHeld();
    summary.open(render, mapa.getMin(), mapa.getSeg(), place);
}

void Jogo::summaryFrame() {
    input.poll();
    summary.frame(input);
}

void Jogo::quadroJogo() {
    input.poll();
    // Escape ends the game on the frame it goes down, before any update.
    if (input.pressed(KEY_ESC)) {
        fim = true;
        return;
    }
    capturaComandos();
    atualizaLogica();
    const Smile smile = mapa.getSmile();
    popups.note(mapa.report().secondsChange, smile.getX(), smile.getY());
    desenhaTela();
}

void Jogo::capturaComandos() { mapa.capturaComando(); }

void Jogo::atualizaLogica() {
    mapa.movimentaObjetos();
    mapa.colisao();
    mapa.timeLine();
    mapa.contaTempo();
    if (mapa.contaTempoRestante()) fim = true;
}

int tempoDeEspera(int periodos) { return periodos < 30 ? 30 - periodos : 0; }

void Jogo::esperaQuadro() {
    int espera = tempoDeEspera(ticks);
    if (espera > 0) rest(espera);
    ticks = 0;
}
