// The play screen. Nothing is drawn to a back buffer: the level background
// and the panel are drawn once as a game starts, then each frame copies the
// background back over what moved and draws the moving pictures again.
#pragma once

#include "level/mapa.h"
#include "marks/drawn_spot.h"
#include "render/render.h"

class PlayScreen {
public:
    static const short PANEL_SLOT = 25;
    // The level's background picture: slots 20 to 22.
    static short backgroundSlot(short level) { return static_cast<short>(level + 19); }

    // The whole screen as a game of `level` starts.
    void drawBackground(Render& render, short level);
    // The background back under each object's previous place and the heading marker.
    void eraseObjects(Render& render, const Mapa& mapa, short level);
    // The panel back under the two clocks and the speed digit.
    void erasePanelCells(Render& render);
    void eraseClocks(Render& render);
    // The objects, the face with its heading marker.
    void drawObjects(Render& render, const Mapa& mapa);
    const DrawnSpot& headingMarker() const { return heading; }
    // Both clocks; the red one stays off while `redHidden` (a blink).
    void drawClocks(Render& render, const Mapa& mapa, bool redHidden);
    // The speed digit and, eight frames out of nine, the clock icons; the
    // icons stand still while the clocks do.
    void drawSpeedAndIcons(Render& render, const Mapa& mapa, bool clocksRun);

private:
    DrawnSpot heading;  // where the heading marker was drawn, so it is erased with the face
    short rel1 = 0;  // the clock icons' frame: 0 to 7, then one frame without
};
