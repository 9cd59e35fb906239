#include "countin/count_in.h"

namespace {

// The playfield lies below the panel band, y 70 to 480.
const short FIELD_CENTRE_X = 320, FIELD_CENTRE_Y = 70 + 410 / 2;

}  // namespace

void CountIn::start() {
    counted = 0;
    spot.forget();
}

void CountIn::next() {
    if (running()) counted++;
}

void CountIn::draw(Render& render) {
    if (!running()) return;
    spot.drawCentred(render, counted < READY_FRAMES ? SLOT_READY : SLOT_GO, FIELD_CENTRE_X, FIELD_CENTRE_Y);
}
