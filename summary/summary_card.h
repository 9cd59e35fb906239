// The summary's picture, drawn over the playfield as the card opens; its
// buttons again when the focus moves, its fate line when a waiting save settles.
#pragma once

#include "render/render.h"
#include "summary/summary.h"

class SummaryCard {
public:
    // The card's top-left corner on the screen; everything else sits on it.
    static constexpr short X = 160, Y = 135;
    // The picture of the line that tells the result's fate (placed at LINE_X, LINE_Y).
    static constexpr short LINE_X = 20, LINE_Y = 124;
    static constexpr short BEST_X = 232, BEST_Y = 6;
    static constexpr short LEVEL_X = 20, LEVEL_Y = 164, LEVEL_TIME_X = 208, LEVEL_TIME_Y = 171;
    static constexpr short NOTE_X = 20, NOTE_Y = 202;
    static constexpr short BUTTON_Y = 246;
    static constexpr short BUTTON_X[2] = {20, 164};  // Play again, Menu

    static void draw(Render& render, const Summary& summary);
    // The face, the fate line, the place and the badge as the entry now says,
    // over the card's own picture.
    static void drawFate(Render& render, const Summary& summary);
    // Both buttons, the mark over the focused one.
    static void drawButtons(Render& render, int focus);
    // The button under the screen point (x, y), -1 for none.
    static int buttonAt(const Render& render, int x, int y);
};
