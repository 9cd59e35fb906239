// The summary's picture, drawn once over the playfield as the card opens.
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

    static void draw(Render& render, const Summary& summary);
};
