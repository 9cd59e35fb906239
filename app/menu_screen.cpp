#include "app/menu_screen.h"

#include "popups/mute_sign.h"

namespace {

struct Point {
    short x, y;
};

const Point buttons[5] = {{0, 140}, {0, 240}, {0, 340}, {0, 390}, {480, 390}};  // slots 1 to 5
const Point pointers[5] = {{230, 147}, {230, 247}, {230, 347}, {230, 397}, {430, 397}};
const short helpPages[MainMenu::HELP_PAGES] = {26, 27, 28, 75};
const short BLACK = 99;
const Point TITLE = {62, 3};  // the chooser's title, left of its buttons

}  // namespace

void MenuScreen::open(Render& render) {
    any = false;
    render.prendeTela();
    render.limpaTela();
    for (short b = 0; b < 5; ++b) render.desenhaImagemTrans(b + 1, buttons[b].x, buttons[b].y);
    render.soltaTela();
}

void MenuScreen::draw(Render& render, const MenuState& state, const short ranking[20], const LevelBests& bests,
                      bool muted) {
    if (any && state == drawn && muted == mutedDrawn) return;
    drawAll(render, state, ranking, bests, muted);
    drawn = state;
    mutedDrawn = muted;
    any = true;
}

void MenuScreen::drawAll(Render& render, const MenuState& state, const short ranking[20], const LevelBests& bests,
                         bool muted) {
    render.prendeTela();
    for (const Point& p : pointers) render.limpaPersonagem(BLACK, p.x, p.y, 50, 50);
    render.limpaPersonagem(BLACK, 250, 50, 570, 320);
    // The chooser's first button, its pointer and its first row lie above
    // the panel area, its title left of the buttons: clear them too.
    render.limpaPersonagem(BLACK, 300, 0, 340, 50);
    if (const BITMAP* title = render.imagem(SLOT_CHOOSER_TITLE))
        render.limpaPersonagem(BLACK, TITLE.x, TITLE.y, title->w, title->h);

    if (state.nJogo) {
        render.desenhaImagemTrans(SLOT_CHOOSER_TITLE, TITLE.x, TITLE.y);
        // Each level's button, its name and its best time, or a dash.
        for (short n = 0; n < 3; ++n) {
            render.desenhaImagem(40 + n, 300, 50 * n);
            render.desenhaImagemTrans(SLOT_LEVEL_NAME + n, 404, 50 * n + 11);
            const GameTime best = bests.best(n + 1);
            if (bests.has(n + 1)) render.drawTime(best.minutes, best.seconds, 50, 70, 540, 50 * n + 15);
            else render.desenhaImagemTrans(SLOT_NO_BEST, 540, 50 * n + 15);
        }
    }
    // The banner would lie under the chooser's rows.
    if (!state.nJogo && !state.rankin && !state.ajuda && !state.creditos) render.desenhaImagemTrans(0, 250, 50);
    if (state.ajuda) render.desenhaImagem(helpPages[state.ajudaPagina], 250, 50);
    if (state.rankin) {
        render.desenhaImagemTrans(8, 250, 50);
        drawRankingTable(render, ranking);
    }
    if (state.creditos) render.desenhaImagem(29, 200, 0);
    // The level the keys would start, marked beside its button.
    if (state.nJogo) render.desenhaImagemTrans(6, 350, 50 * state.levelFocus);

    const Point& p = pointers[state.escolha];
    render.desenhaImagemTrans(state.escolha == MainMenu::EXIT ? 7 : 6, p.x, p.y);
    drawMuteSign(render, muted, MuteSignPlace::MenuCorner);
    render.soltaTela();
}

void drawRankingTable(Render& render, const short table[20]) {
    for (short k = 0; k < 10; ++k) render.drawTime(table[2 * k], table[2 * k + 1], 50, 70, 330, 20 * k + 114);
}
