#include "display/presenter.h"

#include <cstdint>
#include <cstring>

Presenter::~Presenter() { release(); }

void Presenter::release() {
    if (shown) destroy_bitmap(shown);
    shown = nullptr;
    stale = true;
}

void Presenter::reset(const Viewport& viewport) {
    view = viewport;
    stale = true;
}

bool Presenter::changedBox(BITMAP* picture, Rect& r) const {
    int top = -1, bottom = -1, left = r.x + r.w, right = r.x - 1;
    for (int y = r.y; y < r.y + r.h; ++y) {
        const uint32_t* a = reinterpret_cast<const uint32_t*>(picture->line[y]);
        const uint32_t* b = reinterpret_cast<const uint32_t*>(shown->line[y]);
        if (std::memcmp(a + r.x, b + r.x, r.w * sizeof(uint32_t)) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x1 = r.x, x2 = r.x + r.w - 1;
        while (a[x1] == b[x1]) ++x1;
        while (a[x2] == b[x2]) --x2;
        if (x1 < left) left = x1;
        if (x2 > right) right = x2;
    }
    if (top < 0) return false;
    r = {left, top, right - left + 1, bottom - top + 1};
    return true;
}

long Presenter::present(BITMAP* picture, BITMAP* target, DirtyRects& changes) {
    if (!shown) shown = create_bitmap_ex(32, PICTURE_WIDTH, PICTURE_HEIGHT);
    if (stale) {
        // Whatever the target shows now is unknown: send it all.
        blit(picture, shown, 0, 0, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        changes.addAll();
    }
    long sent = 0;
    for (Rect r : changes.rects()) {
        if (!stale && !changedBox(picture, r)) continue;
        blit(picture, shown, r.x, r.y, r.x, r.y, r.w, r.h);
        const int f = view.factor;
        if (f == 1)
            blit(picture, target, r.x, r.y, view.left + r.x, view.top + r.y, r.w, r.h);
        else
            stretch_blit(picture, target, r.x, r.y, r.w, r.h, view.left + r.x * f, view.top + r.y * f, r.w * f,
                         r.h * f);
        sent += long(r.w) * r.h;
    }
    stale = false;
    changes.clear();
    return sent;
}
