#include "app/jogo.h"

#include "app/quit_request.h"
#include "display/window.h"
#include "settings/settings.h"

#include <jpgalleg.h>

#include <algorithm>

volatile int ticks = 0;

void ticker() { ticks = ticks + 1; }
END_OF_FUNCTION(ticker)

// The table starts at zeros so a missing rank file shows 00:00 rows.
Jogo::Jogo() : fim(false), menu(false), aux2{}, nr(1), rel1(0) {}

bool Jogo::alInit(const Options& options) {
    nameWindow();
    // Without a usable system (no display at all) the input drivers would crash.
    if (allegro_init() != 0) {
        allegro_message("Unable to start Allegro: is there a display?\n");
        return false;
    }
    jpgalleg_init();
    install_keyboard();
    install_mouse();
    install_timer();
    // Ours replace Allegro's for the polite signals from here on, so even a
    // start-up cut short ends quietly.
    installQuitHandlers();
    installDisplayLossHandler();
    return render.iniciaTela(chooseWindow(options, loadSettings()));
}

// The images go first: destroying a bitmap needs Allegro still installed.
void Jogo::alClose() {
    render.liberaImagens();
    closeWindow();
    allegro_exit();
}

bool Jogo::iniciaJogo(short n) {
    nr = n;
    return mapa.inicia(nr);
}

void Jogo::gameLoop() {
    desenhaFundo();
    pause.reset();
    takeFocusLoss();  // a focus lost in the menu does not pause the new game
    while (!key[KEY_ESC] && !fim && !quitRequested()) {
        quadroJogo();
        esperaQuadro();
    }
    ordenaSelection();
    insereRanking();
}

void Jogo::quadroJogo() {
    input.poll();
    if (pause.frame(input, takeFocusLoss(), render, nr + 19)) return;
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

// The frame's picture goes to the window before the wait.
void Jogo::esperaQuadro() {
    handleWindowKeys(input);
    presentPicture();
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
