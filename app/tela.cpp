// The play screen. Nothing is drawn to a back buffer: each frame copies the
// background back over what moved, then draws the moving pictures again.
#include "app/jogo.h"

#include "marks/heading_marker.h"
#include "popups/mute_sign.h"

namespace {

// Whole pixels, dropping the fraction toward zero as the drawing always has.
short pixel(float v) { return static_cast<short>(v); }

}  // namespace

void Jogo::desenhaFundo() {
    clear_bitmap(screen);
    render.desenhaImagem(nr + 19, 0, 0);
    render.desenhaImagemTrans(25, 0, 0);
}

void Jogo::apagaObjeto(const Objeto& o, short largura, short altura) {
    render.limpaPersonagem(nr + 19, pixel(o.getXA()), pixel(o.getYA()), largura, altura);
}

void Jogo::limpaTela() {
    apagaObjeto(mapa.getSmile(), 40, 40);
    apagaObjeto(mapa.getIten(), 39, 50);
    const Coco coco = mapa.getCoco();
    if (coco.getExiste()) apagaObjeto(coco, 30, 30);
    const Esposa esposa = mapa.getEsposa();
    if (esposa.getExiste()) apagaObjeto(esposa, 45, 40);
    const Gangster gangster = mapa.getGangster();
    if (gangster.getExiste()) apagaObjeto(gangster, 43, 42);
    const Ladrao ladrao = mapa.getLadrao();
    if (ladrao.getExiste()) apagaObjeto(ladrao, 38, 40);
    popups.erase(render, 25);
    headingSpot.erase(render, nr + 19);
    marks.erase(render, nr + 19);
    // The panel cells come last, so they win over an object that overlapped them.
    eraseClocks();
    render.limpaPersonagem(25, 75, 20, 16, 21);
}

void Jogo::eraseClocks() {
    render.limpaPersonagem(25, 400, 20, 80, 21);
    render.limpaPersonagem(25, 550, 20, 80, 21);
}

void Jogo::desenhaObjeto(const Objeto& o, short slot) {
    render.desenhaImagemTrans(slot, pixel(o.getX()), pixel(o.getY()));
}

void Jogo::desenhaInimigo(const Inimigo& i, short slot) {
    if (i.getExiste()) desenhaObjeto(i, slot);
}

// Both clocks in their cells; the red one stays off in the dark beats of a blink.
void Jogo::drawClocks() {
    desenhaRelogio(mapa.getMin(), mapa.getSeg(), 50, 70, 400);
    if (!popups.clockHidden()) desenhaRelogio(mapa.getMinD(), mapa.getSegD(), 60, 71, 550);
}

// mm:ss from the digit set starting at primeiroSlot, with its separator.
void Jogo::desenhaRelogio(int minutos, int segundos, short primeiroSlot, short separador, short x) {
    render.drawTwoDigits(minutos, primeiroSlot, x, 20);
    render.desenhaImagemTrans(separador, x + 32, 20);
    render.drawTwoDigits(segundos, primeiroSlot, x + 48, 20);
}

void Jogo::desenhaTela() {
    render.prendeTela();
    limpaTela();

    const Smile smile = mapa.getSmile();
    const bool ultimosDezSegundos = mapa.getMinD() <= 0 && mapa.getSegD() <= 9;
    desenhaObjeto(smile, ultimosDezSegundos ? 11 : 10);
    drawHeadingMarker(headingSpot, render, smile.getDirecao(), pixel(smile.getX()), pixel(smile.getY()));
    const Iten iten = mapa.getIten();
    desenhaObjeto(iten, 30 + iten.getIcone());
    desenhaInimigo(mapa.getCoco(), 12);
    desenhaInimigo(mapa.getEsposa(), 13);
    desenhaInimigo(mapa.getGangster(), 14);
    desenhaInimigo(mapa.getLadrao(), 15);
    marks.draw(render);

    drawClocks();
    popups.draw(render);
    drawMuteSign(render, audio.muted(), MuteSignPlace::PanelBand);

    // Speeds 5 to 15 have a digit (15 borrows the other set's 0); a level
    // file could give another, which then shows none.
    const short velocidade = smile.getVelocidade();
    if (velocidade >= 5 && velocidade <= 15) render.desenhaImagemTrans(45 + velocidade, 75, 20);

    // Eight clock frames, then one frame without, blended over the last.
    if (rel1 <= 7) {
        render.desenhaImagemTrans(80 + rel1, 350, 12);
        render.desenhaImagemTrans(90 + rel1, 500, 12);
        rel1++;
    } else {
        rel1 = 0;
    }
    render.soltaTela();
}
