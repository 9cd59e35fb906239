// The card that ends every game: how long it lasted and where it stands in
// the ranking. Drawn once over the playfield, after the ranking is written;
// a fresh click, or Enter, Space or Escape going down, closes it.
#pragma once

#include "input/input.h"
#include "render/render.h"

class Summary {
public:
    // The card's top-left corner on the screen; everything else sits on it.
    static constexpr short X = 160, Y = 135;

    // place: 1 for the longest game kept .. 10, or 0 when it did not enter.
    void open(Render& render, int minutes, int seconds, short place);
    void frame(const Input& input);
    bool isOpen() const { return shown; }
    short place() const { return rankPlace; }

private:
    bool shown = false;
    short rankPlace = 0;
};
