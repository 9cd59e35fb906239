// Sending changed parts of the picture to a real window at a given factor:
// each frame eight 40x40 rectangles change, and each way of sending them is
// timed in turn, so all see the same load: the presenter (magnified into a
// memory strip, a few blits) and, at whole factors, stretch_blit of each
// rectangle straight into the window as the game did before. Run under an
// X server large enough for the window (scripts/perf.sh does).
//   window_send FACTOR [FRAMES]     FACTOR: 4, or a fraction such as 3/2
#include "display/dirty_rects.h"
#include "display/presenter.h"
#include "display/viewport.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Eight rectangles spread over the picture, in a new colour every frame.
void changeRects(BITMAP* picture, DirtyRects& changes, int frame) {
    for (int i = 0; i < 8; ++i) {
        const int x = 20 + i * 75, y = 60 + (i % 3) * 130 + frame % 7;
        rectfill(picture, x, y, x + 39, y + 39, makecol32((frame * 5 + i * 30) % 256, i * 20, frame % 256));
        changes.add(x, y, 40, 40);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Scale scale;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 300;
    if (argc < 2 || std::sscanf(argv[1], "%d/%d", &scale.num, &scale.den) < 1 || scale.num < 1 || scale.den < 1 ||
        frames < 1) {
        std::fprintf(stderr, "usage: window_send FACTOR [FRAMES]\n");
        return 2;
    }
    if (allegro_init() != 0) return 1;
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, scale.width(), scale.height(), 0, 0) != 0) {
        std::fprintf(stderr, "window_send: %s\n", allegro_error);
        return 1;
    }
    BITMAP* picture = create_bitmap_ex(32, PICTURE_WIDTH, PICTURE_HEIGHT);
    clear_to_color(picture, makecol32(40, 80, 120));
    Presenter presenter;
    presenter.reset(Viewport(scale));
    DirtyRects changes;
    presenter.present(picture, screen, changes);
    std::vector<double> presented, stretched;
    for (int frame = 0; frame < frames; ++frame) {
        changeRects(picture, changes, frame);
        auto t0 = Clock::now();
        presenter.present(picture, screen, changes);
        presented.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (!scale.whole()) continue;
        changeRects(picture, changes, frame + 1);
        t0 = Clock::now();
        const int f = scale.num;
        for (const Rect& r : changes.rects())
            stretch_blit(picture, screen, r.x, r.y, r.w, r.h, r.x * f, r.y * f, r.w * f, r.h * f);
        stretched.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        changes.clear();
    }
    std::printf("%d/%d presenter %.3f ms", scale.num, scale.den, median(presented));
    if (scale.whole()) std::printf(", stretch_blit into the window %.3f ms", median(stretched));
    std::printf(" (medians of %d frames, eight 40x40 rectangles each)\n", frames);
    presenter.release();
    destroy_bitmap(picture);
    return 0;
}
END_OF_MAIN()
