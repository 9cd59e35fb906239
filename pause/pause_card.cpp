#include "pause/pause_card.h"

void PauseCard::draw(Render& render, bool padUsedLast, bool padLost) {
    BITMAP* picture = render.imagem(SLOT);
    if (!picture) return;
    const int x = pictureX(picture), y = pictureY(picture);
    render.desenhaImagemTrans(SLOT, x, y);
    const bool pad = padUsedLast && !padLost;
    render.desenhaImagemTrans(pad ? SLOT_PAUSE_RESUME_PAD : SLOT_PAUSE_RESUME_KEY, x + RESUME_X, y + RESUME_Y);
    if (padLost) render.desenhaImagemTrans(SLOT_PAUSE_PAD_LOST, x + PAD_LOST_X, y + PAD_LOST_Y);
}

void PauseCard::erase(Render& render, short background) {
    if (BITMAP* picture = render.imagem(SLOT))
        render.limpaPersonagem(background, pictureX(picture), pictureY(picture), picture->w, picture->h);
}
