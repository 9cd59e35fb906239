#include "play/play_screen.h"

#include "marks/heading_marker.h"

#include <algorithm>

namespace {

// Whole pixels, dropping the fraction toward zero as the drawing always has.
short pixel(float v) { return static_cast<short>(v); }

void eraseObject(Render& render, short background, const Objeto& o, short width, short height) {
    render.limpaPersonagem(background, pixel(o.getXA()), pixel(o.getYA()), width, height);
}

void drawObject(Render& render, const Objeto& o, short slot) {
    render.desenhaImagemTrans(slot, pixel(o.getX()), pixel(o.getY()));
}

void drawEnemy(Render& render, const Inimigo& i, short slot) {
    if (i.getExiste()) drawObject(render, i, slot);
}

}  // namespace

void PlayScreen::drawBackground(Render& render, short level) {
    clear_bitmap(screen);
    render.desenhaImagem(backgroundSlot(level), 0, 0);
    render.desenhaImagemTrans(PANEL_SLOT, 0, 0);
    heading.forget();
}

void PlayScreen::eraseObjects(Render& render, const Mapa& mapa, short level) {
    const short background = backgroundSlot(level);
    eraseObject(render, background, mapa.getSmile(), 40, 40);
    eraseObject(render, background, mapa.getIten(), 39, 50);
    const Coco coco = mapa.getCoco();
    if (coco.getExiste()) eraseObject(render, background, coco, 30, 30);
    const Esposa esposa = mapa.getEsposa();
    if (esposa.getExiste()) eraseObject(render, background, esposa, 45, 40);
    const Gangster gangster = mapa.getGangster();
    if (gangster.getExiste()) eraseObject(render, background, gangster, 43, 42);
    const Ladrao ladrao = mapa.getLadrao();
    if (ladrao.getExiste()) eraseObject(render, background, ladrao, 38, 40);
    heading.erase(render, background);
}

void PlayScreen::erasePanelCells(Render& render) {
    eraseClocks(render);
    render.limpaPersonagem(PANEL_SLOT, 75, 20, 16, 21);
}

void PlayScreen::eraseClocks(Render& render) {
    render.limpaPersonagem(PANEL_SLOT, 400, 20, 80, 21);
    render.limpaPersonagem(PANEL_SLOT, 550, 20, 80, 21);
}

void PlayScreen::drawObjects(Render& render, const Mapa& mapa) {
    const bool lastTenSeconds = mapa.getMinD() <= 0 && mapa.getSegD() <= 9;
    const Smile smile = mapa.getSmile();
    drawObject(render, smile, lastTenSeconds ? 11 : 10);
    drawHeadingMarker(heading, render, smile.getDirecao(), pixel(smile.getX()), pixel(smile.getY()));
    const Iten iten = mapa.getIten();
    drawObject(render, iten, 30 + iten.getIcone());
    drawEnemy(render, mapa.getCoco(), 12);
    drawEnemy(render, mapa.getEsposa(), 13);
    drawEnemy(render, mapa.getGangster(), 14);
    drawEnemy(render, mapa.getLadrao(), 15);
}

void PlayScreen::drawClocks(Render& render, const Mapa& mapa, bool redHidden) {
    render.drawTime(mapa.getMin(), mapa.getSeg(), 50, 70, 400, 20);
    if (!redHidden) render.drawTime(mapa.getMinD(), mapa.getSegD(), 60, 71, 550, 20);
}

void PlayScreen::drawSpeedAndIcons(Render& render, const Mapa& mapa, bool clocksRun) {
    // Speeds 5 to 15 have a digit (15 borrows the other set's 0); a level
    // file could give another, which then shows none.
    const short velocidade = mapa.getSmile().getVelocidade();
    if (velocidade >= 5 && velocidade <= 15) render.desenhaImagemTrans(45 + velocidade, 75, 20);

    // Eight clock frames, then one frame without, blended over the last.
    // Standing still, they show the last frame drawn.
    if (rel1 <= 7 || !clocksRun) {
        const short frame = std::min<short>(rel1, 7);
        render.desenhaImagemTrans(80 + frame, 350, 12);
        render.desenhaImagemTrans(90 + frame, 500, 12);
    }
    if (clocksRun) rel1 = rel1 <= 7 ? rel1 + 1 : 0;
}
