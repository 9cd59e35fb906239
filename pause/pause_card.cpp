#include "pause/pause_card.h"

void PauseCard::draw(Render& render) {
    if (BITMAP* picture = render.imagem(SLOT)) render.desenhaImagemTrans(SLOT, pictureX(picture), pictureY(picture));
}

void PauseCard::erase(Render& render, short background) {
    if (BITMAP* picture = render.imagem(SLOT))
        render.limpaPersonagem(background, pictureX(picture), pictureY(picture), picture->w, picture->h);
}
