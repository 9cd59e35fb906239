// A rectangle of picture pixels: its top-left corner and its size.
#pragma once

struct Rect {
    int x, y, w, h;
    // Inside, edges excluded: a point exactly on an edge is outside.
    bool holds(int px, int py) const { return x < px && px < x + w && y < py && py < y + h; }
};
