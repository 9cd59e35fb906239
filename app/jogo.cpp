#include "app/jogo.h"

#include <jpgalleg.h>

volatile int ticks = 0;

void ticker() { ticks = ticks + 1; }
END_OF_FUNCTION(ticker)

Jogo::Jogo() : fim(false), menu(false), nr(1), rel1(0) {}

bool Jogo::alInit() {
    allegro_init();
    jpgalleg_init();
    install_keyboard();
    install_mouse();
    install_timer();
    return render.iniciaTela();
}

void Jogo::alClose() { allegro_exit(); }

void Jogo::gameMenu() {
    // Until the menu exists: the first entry starts level 1, the next one exits.
    static bool jogou = false;
    fim = jogou;
    jogou = true;
    if (!fim) {
        nr = 1;
        fim = !mapa.inicia(nr);
    }
}

void Jogo::gameLoop() {
    clear_bitmap(screen);
    render.desenhaImagem(nr + 19, 0, 0);
    render.desenhaImagemTrans(25, 0, 0);
    while (!key[KEY_ESC] && !fim) {
        capturaComandos();
        atualizaLogica();
        esperaQuadro();
    }
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
