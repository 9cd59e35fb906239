#include "popups/mute_sign.h"

namespace {

const short PANEL_SLOT = 25, BLACK_SLOT = 99;

}  // namespace

// In the band, the free stretch between the title and the yellow clock;
// in the menu, the empty corner above the buttons.
MuteSignSpot muteSignSpot(MuteSignPlace place) {
    return place == MuteSignPlace::PanelBand ? MuteSignSpot{296, 20, PANEL_SLOT} : MuteSignSpot{8, 8, BLACK_SLOT};
}

void drawMuteSign(Render& render, bool muted, MuteSignPlace place) {
    const MuteSignSpot spot = muteSignSpot(place);
    const BITMAP* sign = render.imagem(SLOT_MUTE_SIGN);
    if (!sign) return;
    render.limpaPersonagem(spot.backgroundSlot, spot.x, spot.y, sign->w, sign->h);
    if (muted) render.desenhaImagemTrans(SLOT_MUTE_SIGN, spot.x, spot.y);
}
