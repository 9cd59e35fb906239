#include "display/presenter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Pixels magnified before each blit (1 MB): a few large transfers rather
// than many small ones, in little memory. Never fewer rows than a block has.
const int BAND_PIXELS = 1 << 18;

}  // namespace

Presenter::~Presenter() { release(); }

void Presenter::release() {
    if (shown) destroy_bitmap(shown);
    if (band) destroy_bitmap(band);
    shown = band = nullptr;
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

void Presenter::sendMagnified(BITMAP* picture, const Rect& r, BITMAP* target) {
    const int x0 = view.columns[r.x], width = view.columns[r.x + r.w] - x0;
    int y = r.y;
    while (y < r.y + r.h) {
        const int bandTop = view.rows[y];
        int filled = 0;
        for (; y < r.y + r.h && view.rows[y + 1] - bandTop <= band->h; ++y) {
            const uint32_t* from = reinterpret_cast<const uint32_t*>(picture->line[y]);
            uint32_t* to = reinterpret_cast<uint32_t*>(band->line[filled]);
            for (int x = r.x; x < r.x + r.w; ++x) to = std::fill_n(to, view.columns[x + 1] - view.columns[x], from[x]);
            const int height = view.rows[y + 1] - view.rows[y];
            for (int k = 1; k < height; ++k)
                std::memcpy(band->line[filled + k], band->line[filled], width * sizeof(uint32_t));
            filled += height;
        }
        blit(band, target, 0, 0, view.left + x0, view.top + bandTop, width, filled);
    }
}

long Presenter::present(BITMAP* picture, BITMAP* target, DirtyRects& changes) {
    if (!shown) shown = create_bitmap_ex(32, PICTURE_WIDTH, PICTURE_HEIGHT);
    const bool magnified = !view.scale.isOne();
    const int bandWidth = view.columns[PICTURE_WIDTH];
    if (magnified && (!band || band->w != bandWidth)) {
        if (band) destroy_bitmap(band);
        const int rows = std::clamp(BAND_PIXELS / bandWidth, MAX_FACTOR, view.rows[PICTURE_HEIGHT]);
        band = create_bitmap_ex(32, bandWidth, rows);
    }
    if (!shown || (magnified && !band)) {
        changes.clear();
        return -1;
    }
    if (stale) {
        // Whatever the target shows now is unknown: send it all.
        blit(picture, shown, 0, 0, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        changes.addAll();
    }
    long sent = 0;
    for (Rect r : changes.rects()) {
        if (!stale && !changedBox(picture, r)) continue;
        blit(picture, shown, r.x, r.y, r.x, r.y, r.w, r.h);
        if (magnified)
            sendMagnified(picture, r, target);
        else
            blit(picture, target, r.x, r.y, view.left + r.x, view.top + r.y, r.w, r.h);
        sent += long(r.w) * r.h;
    }
    stale = false;
    changes.clear();
    return sent;
}
