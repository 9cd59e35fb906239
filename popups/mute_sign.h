// The speaker-off sign: while the game is muted it shows in the panel band
// during a game and in the menu's top-left corner, so a stray M never leaves
// the player wondering where the sound went. Erased and drawn every frame,
// like the panel's other changing pictures.
#pragma once

#include "render/render.h"

enum class MuteSignPlace { PanelBand, MenuCorner };

struct MuteSignSpot {
    short x, y;
    short backgroundSlot;  // the full-screen picture that lies under the sign
};

MuteSignSpot muteSignSpot(MuteSignPlace place);

// The background back under the sign's place, then the sign while muted.
void drawMuteSign(Render& render, bool muted, MuteSignPlace place);
