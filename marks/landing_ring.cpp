#include "marks/landing_ring.h"

namespace {

const short COCO_SLOT = 12;

}  // namespace

void drawLandingRing(DrawnSpot& spot, Render& render, short x, short y) {
    if (const BITMAP* coco = render.imagem(COCO_SLOT))
        spot.drawCentred(render, SLOT_COCO_LANDING, x + coco->w / 2, y + coco->h / 2);
}
