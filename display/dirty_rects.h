// The parts of the game's picture drawn since it was last sent to the
// window. Render reports every drawing here; the window sends only these.
#pragma once

#include "display/rect.h"

#include <cstddef>
#include <vector>

class DirtyRects {
public:
    // Clipped to the picture; an empty rectangle is ignored. Past a few
    // dozen the list becomes the whole picture, which is then cheaper.
    void add(int x, int y, int w, int h);
    void addAll();
    void clear() { list.clear(); }
    const std::vector<Rect>& rects() const { return list; }

    static const size_t CAPACITY = 64;

private:
    std::vector<Rect> list;
};

// The one list the drawing reports into.
DirtyRects& pictureChanges();
