#include "display/dirty_rects.h"

#include "display/viewport.h"

#include <algorithm>

void DirtyRects::add(int x, int y, int w, int h) {
    const int x1 = std::max(x, 0), y1 = std::max(y, 0);
    const int x2 = std::min(x + w, PICTURE_WIDTH), y2 = std::min(y + h, PICTURE_HEIGHT);
    if (x2 <= x1 || y2 <= y1) return;
    if (list.size() == 1 && list[0].w == PICTURE_WIDTH && list[0].h == PICTURE_HEIGHT) return;
    if (list.size() >= CAPACITY) {
        addAll();
        return;
    }
    list.push_back({x1, y1, x2 - x1, y2 - y1});
}

void DirtyRects::addAll() { list.assign(1, Rect{0, 0, PICTURE_WIDTH, PICTURE_HEIGHT}); }

DirtyRects& pictureChanges() {
    static DirtyRects changes;
    return changes;
}
