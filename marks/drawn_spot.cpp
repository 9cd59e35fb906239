#include "marks/drawn_spot.h"

#include <algorithm>

namespace {

// The panel covers the band above this line and is see-through below it.
const short PANEL_SLOT = 25, PANEL_BOTTOM = 70;

}  // namespace

// A plain copy of the level's picture would leave it bare where the panel
// lay over it, so the band takes the panel's pixels instead.
void restorePlayBackground(Render& render, short levelSlot, short x, short y, short w, short h) {
    const short bottom = y + h;
    if (y < PANEL_BOTTOM) render.limpaPersonagem(PANEL_SLOT, x, y, w, std::min(bottom, PANEL_BOTTOM) - y);
    if (bottom > PANEL_BOTTOM) {
        const short top = std::max(y, PANEL_BOTTOM);
        render.limpaPersonagem(levelSlot, x, top, w, bottom - top);
    }
}

void DrawnSpot::erase(Render& render, short levelSlot) {
    if (shown) restorePlayBackground(render, levelSlot, last.x, last.y, last.w, last.h);
    shown = false;
}

void DrawnSpot::draw(Render& render, short slot, short x, short y) {
    const BITMAP* picture = render.imagem(slot);
    if (!picture) return;
    render.desenhaImagemTrans(slot, x, y);
    last = {x, y, picture->w, picture->h};
    shown = true;
}

void DrawnSpot::drawCentred(Render& render, short slot, short cx, short cy) {
    if (const BITMAP* picture = render.imagem(slot)) draw(render, slot, cx - picture->w / 2, cy - picture->h / 2);
}
