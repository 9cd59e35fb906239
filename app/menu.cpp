// The main menu: five buttons on the left, a pointer beside the focused one,
// and one panel at a time on the right. Driven by the mouse, the keyboard or
// a pad, one action per press. Drawn only when something changed.
#include "app/jogo.h"

#include "app/quit_request.h"
#include "popups/mute_sign.h"
#include "storage/data_folder.h"

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
const short SAIR = 4;
const short paginasAjuda[] = {26, 27, 28, 75};
const short PAGINAS = sizeof paginasAjuda / sizeof paginasAjuda[0];

// One step up or down a list of n, wrapping round.
short passo(short atual, int delta, short n) { return static_cast<short>((atual + delta + n) % n); }

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
        reportUnusableFile(levelFilePath(nr), "could not be read");
        estado.nJogo = false;
        menu = true;
    }
}

void Jogo::entraMenu() {
    abreMenu();
    // A button or key still down from the game or the summary is not a click here.
    input.forgetHeld();
    audio.music(Theme::Menu);
}

void Jogo::mostraPrimeiroQuadro() {
    abreMenu();
    desenhaMenu();
    presentPicture();
}

void Jogo::abreMenu() {
    render.mostraMouse();
    fim = false;
    menu = true;
    estado = EstadoMenu();
    menuDesenhado = false;
    leRanking();
    ordenaSelection();
    render.prendeTela();
    render.limpaTela();
    for (short b = 0; b < 5; ++b) render.desenhaImagemTrans(b + 1, botoes[b].x, botoes[b].y);
    render.soltaTela();
}

void Jogo::quadroMenu() {
    leEntrada(Screen::Menu);
    audio.update();
    atualizaMenu();
    // A frame in which nothing changed draws nothing, and so sends nothing.
    if (menuDesenhado && estado == desenhado && audio.muted() == mudoDesenhado) return;
    desenhaMenu();
    desenhado = estado;
    mudoDesenhado = audio.muted();
    menuDesenhado = true;
}

// A click on a button, or Enter with the focus on it: a panel's button opens
// its panel (closing the others) or closes it again; Exit ends the menu.
void Jogo::acionaBotao(short botao) {
    audio.play(Effect::Click);
    if (botao == SAIR) {
        menu = false;
        fim = true;
        return;
    }
    bool* paineis[4] = {&estado.nJogo, &estado.rankin, &estado.ajuda, &estado.creditos};
    const bool abre = !*paineis[botao];
    for (bool* p : paineis) *p = false;
    *paineis[botao] = abre;
    estado.nivelFoco = 0;
}

void Jogo::atualizaMenu() {
    const int mx = input.mouseX(), my = input.mouseY();
    // The frame the left button goes down, over the button it goes down on:
    // holding it, or dragging it onto another button, does nothing more. A
    // pointer held still leaves the focus where the keys put it.
    const bool clique = input.clicked();
    const bool segue = clique || input.pointerMoved();
    auto escolheNivel = [&](short n) {
        audio.play(Effect::Click);
        nr = n + 1;
        menu = false;
        fim = false;
    };

    for (short b = 0; b < 4; ++b) {
        if (!botoesEsquerda[b].contem(mx, my)) continue;
        if (segue) estado.escolha = b;
        if (clique) acionaBotao(b);
        break;
    }
    if (botaoSair.contem(mx, my)) {
        if (segue) estado.escolha = SAIR;
        if (clique) acionaBotao(SAIR);
    }
    if (estado.nJogo) {
        for (short n = 0; n < 3; ++n)
            if (clique && botoesNivel[n].contem(mx, my)) escolheNivel(n);
    }
    if (estado.ajuda && clique && proximaPagina.contem(mx, my)) {
        audio.play(Effect::Page);
        estado.ajudaPagina = passo(estado.ajudaPagina, 1, PAGINAS);
    }

    const int vertical = input.pressed(Action::Down) - input.pressed(Action::Up);
    if (estado.nJogo) {
        // The chooser's buttons stand in a column: the arrows go over them.
        estado.nivelFoco = passo(estado.nivelFoco, vertical, 3);
        const Action teclas[3] = {Action::Level1, Action::Level2, Action::Level3};
        for (short n = 0; n < 3; ++n)
            if (input.pressed(teclas[n])) escolheNivel(n);
        if (input.pressed(Action::Confirm)) escolheNivel(estado.nivelFoco);
    } else {
        estado.escolha = passo(estado.escolha, vertical, 5);
        if (input.pressed(Action::Confirm)) acionaBotao(estado.escolha);
    }
    if (estado.ajuda) {
        const int pagina = input.pressed(Action::Right) - input.pressed(Action::Left);
        if (pagina != 0) {
            audio.play(Effect::Page);
            estado.ajudaPagina = passo(estado.ajudaPagina, pagina, PAGINAS);
        }
    }
    // Escape closes the open panel; with none open it goes to Exit, and on
    // Exit acts as Exit does: twice ends the program.
    if (input.pressed(Action::Back)) {
        if (estado.nJogo || estado.rankin || estado.ajuda || estado.creditos) {
            estado.nJogo = estado.rankin = estado.ajuda = estado.creditos = false;
        } else if (estado.escolha == SAIR) {
            acionaBotao(SAIR);
        } else {
            estado.escolha = SAIR;
        }
    }
}

void Jogo::desenhaMenu() {
    render.prendeTela();
    for (const Ponto& p : ponteiros) render.limpaPersonagem(99, p.x, p.y, 50, 50);
    render.limpaPersonagem(99, 250, 50, 570, 320);
    // The chooser's first button, its pointer and its title lie above the
    // panel area: clear them too.
    render.limpaPersonagem(99, 300, 0, 340, 50);

    if (estado.nJogo) {
        for (short n = 0; n < 3; ++n) render.desenhaImagem(40 + n, 300, 50 * n);
        render.desenhaImagemTrans(SLOT_CHOOSER_TITLE, 402, 3);
    }
    if (!estado.rankin && !estado.ajuda && !estado.creditos) render.desenhaImagemTrans(0, 250, 50);
    if (estado.ajuda) render.desenhaImagem(paginasAjuda[estado.ajudaPagina], 250, 50);
    if (estado.rankin) {
        render.desenhaImagemTrans(8, 250, 50);
        ranking();
    }
    if (estado.creditos) render.desenhaImagem(29, 200, 0);
    // The level the keys would start, marked beside its button over the banner.
    if (estado.nJogo) render.desenhaImagemTrans(6, 350, 50 * estado.nivelFoco);

    const Ponto& p = ponteiros[estado.escolha];
    render.desenhaImagemTrans(estado.escolha == SAIR ? 7 : 6, p.x, p.y);
    drawMuteSign(render, audio.muted(), MuteSignPlace::MenuCorner);
    render.soltaTela();
}
