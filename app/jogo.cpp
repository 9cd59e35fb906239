#include "app/jogo.h"

#include "app/start_allegro.h"

#include <jpgalleg.h>

#include <algorithm>

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
    jpgalleg_init();
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
    return mapa.inicia(nr);
}

void Jogo::gameLoop() {
    desenhaFundo();
    while (!key[KEY_ESC] && !fim) {
        quadroJogo();
        esperaQuadro();
    }
    ordenaSelection();
    insereRanking();
}

void Jogo::quadroJogo() {
    input.poll();
    capturaComandos();
    atualizaLogica();
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

// Two digits from the set starting at primeiroSlot. Values outside 0..99 (a
// penalty in the last frame, a damaged rank file) show as 00 or 99.
void Jogo::desenhaDoisDigitos(int valor, short primeiroSlot, short x, short y) {
    valor = std::clamp(valor, 0, 99);
    render.desenhaImagemTrans(primeiroSlot + valor / 10, x, y);
    render.desenhaImagemTrans(primeiroSlot + valor % 10, x + 16, y);
}
