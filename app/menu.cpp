// The main menu: five buttons on the left, a pointer beside the marked one,
// and one panel at a time on the right. Driven by the mouse alone, one
// action per press of the left button.
#include "app/jogo.h"

#include "app/quit_request.h"
#include "audio/game_sounds.h"
#include "storage/data_folder.h"
#include "popups/mute_sign.h"
#include "settings/settings.h"

namespace {

struct Caixa {
    short x1, y1, x2, y2;
    // Bounds are exclusive: a mouse exactly on an edge is outside.
    bool contem(int x, int y) const { return x1 < x && x < x2 && y1 < y && y < y2; }
};

struct Ponto {
    short x, y;
};

// New game, ranking, help, credits: tried in this order, the first one holding
// the mouse wins (help and credits overlap for 390 < y < 414).
const Caixa botoesEsquerda[4] = {{0, 140, 230, 214}, {0, 240, 230, 314},
                                 {0, 340, 230, 414}, {0, 390, 230, 464}};
const Caixa botaoSair = {480, 390, 640, 464};
const Caixa botoesNivel[3] = {{300, 0, 350, 50}, {300, 50, 350, 100}, {300, 100, 350, 150}};
const Caixa proximaPagina = {610, 185, 630, 225};

const Ponto botoes[5] = {{0, 140}, {0, 240}, {0, 340}, {0, 390}, {480, 390}};  // slots 1 to 5
const Ponto ponteiros[5] = {{230, 147}, {230, 247}, {230, 347}, {230, 397}, {430, 397}};

}  // namespace

void Jogo::gameMenu() {
    entraMenu();
    for (;;) {
        while (menu && !quitRequested()) {
            quadroMenu();
            esperaQuadro();
        }
        if (fim || quitRequested()) return;
        if (iniciaJogo(nr)) {
            render.escondeMouse();
            return;
        }
        // A level file that cannot be read: say which, and stay in the menu
        // with the chooser closed.
        reportUnusableFile(Mapa::arquivoNivel(nr), "could not be read");
        estado.nJogo = false;
        menu = true;
    }
}

void Jogo::entraMenu() {
    render.mostraMouse();
    // A button or key still down from the game or the summary is not a click here.
    input.forgetHeld();
    fim = false;
    menu = true;
    estado = EstadoMenu();
    leRanking();
    ordenaSelection();
    render.prendeTela();
    render.limpaTela();
    for (short b = 0; b < 5; ++b) render.desenhaImagemTrans(b + 1, botoes[b].x, botoes[b].y);
    render.soltaTela();
    audio.music(Theme::Menu);
}

void Jogo::quadroMenu() {
    input.poll();
    muteKey(input, audio, settings);
    audio.update();
    const int mx = input.mouseX(), my = input.mouseY();
    // The frame the left button goes down, over the button it goes down on:
    // holding it, or dragging it onto another button, does nothing more.
    const bool clique = input.clicked();

    render.prendeTela();
    for (const Ponto& p : ponteiros) render.limpaPersonagem(99, p.x, p.y, 50, 50);
    render.limpaPersonagem(99, 250, 50, 570, 320);
    // The chooser's first button and its title lie above the panel area: clear them too.
    render.limpaPersonagem(99, 300, 0, 340, 50);

    for (short b = 0; b < 4; ++b) {
        if (!botoesEsquerda[b].contem(mx, my)) continue;
        estado.escolha = b;
        if (clique) {
            audio.play(Effect::Click);
            bool* paineis[4] = {&estado.nJogo, &estado.rankin, &estado.ajuda, &estado.creditos};
            const bool abre = !*paineis[b];
            for (bool* p : paineis) *p = false;
            *paineis[b] = abre;
        }
        break;
    }

    if (botaoSair.contem(mx, my)) {
        estado.escolha = 4;
        if (clique) {
            audio.play(Effect::Click);
            menu = false;
            fim = true;
        }
    }

    if (estado.nJogo) {
        for (short n = 0; n < 3; ++n) render.desenhaImagem(40 + n, 300, 50 * n);
        render.desenhaImagemTrans(SLOT_CHOOSER_TITLE, 356, 0);
        for (short n = 0; n < 3; ++n) {
            if (clique && botoesNivel[n].contem(mx, my)) {
                audio.play(Effect::Click);
                nr = n + 1;
                menu = false;
                fim = false;
            }
        }
    }

    if (!estado.rankin && !estado.ajuda && !estado.creditos) render.desenhaImagemTrans(0, 250, 50);

    if (estado.ajuda) {
        render.desenhaImagem(26 + estado.ajudaPagina, 250, 50);
        if (clique && proximaPagina.contem(mx, my)) {
            audio.play(Effect::Page);
            estado.ajudaPagina = (estado.ajudaPagina + 1) % 3;
        }
    }

    if (estado.rankin) {
        render.desenhaImagemTrans(8, 250, 50);
        ranking();
    }

    if (estado.creditos) render.desenhaImagem(29, 200, 0);

    const Ponto& p = ponteiros[estado.escolha];
    render.desenhaImagemTrans(estado.escolha == 4 ? 7 : 6, p.x, p.y);
    drawMuteSign(render, audio.muted(), MuteSignPlace::MenuCorner);
    render.soltaTela();
}
