// Frames as the window gets them: the frame's work, then its changed
// rectangles magnified into a window-sized memory bitmap (factors 1, 2, 4
// and 3/2, as num/den).
// A frame of play on level 2 with every enemy present, an idle menu frame
// (nothing changed: nothing is sent) and a paused frame.
#include "bench/environment.h"

#include "display/dirty_rects.h"
#include "display/presenter.h"

#include <functional>

namespace {

using bench::Samples;

// Times `frame` followed by sending its changes, per iteration.
void measure(benchmark::State& state, const std::function<void(long)>& frame) {
    const Scale scale{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    BITMAP* window = create_bitmap_ex(32, scale.width(), scale.height());
    Presenter presenter;
    presenter.reset(centredViewport(scale.width(), scale.height(), scale));
    presenter.present(screen, window, pictureChanges());
    Samples samples;
    long n = 0;
    for (auto _ : state) {
        const auto t0 = Samples::Clock::now();
        frame(n++);
        presenter.present(screen, window, pictureChanges());
        samples.add(Samples::Clock::now() - t0);
    }
    samples.publish(state);
    presenter.release();
    destroy_bitmap(window);
}

void playFrameSent(benchmark::State& state) {
    Jogo& jogo = bench::loadedGame();
    bench::startMatch(jogo, 2);
    measure(state, [&](long q) {
        bench::keysForFrame(q);
        bench::keepGameGoing(JogoTestAccess::mapa(jogo));
        JogoTestAccess::frame(jogo);
    });
    bench::releaseKeys();
}

void idleMenuFrameSent(benchmark::State& state) {
    Jogo& jogo = bench::loadedGame();
    JogoTestAccess::openMenu(jogo);
    mouse_x = 400, mouse_y = 20, mouse_b = 0;
    JogoTestAccess::frame(jogo);
    measure(state, [&](long) { JogoTestAccess::frame(jogo); });
}

// P let go for a frame, then pressed for one: the pause toggles.
void pressP(Jogo& jogo) {
    key[KEY_P] = 0;
    JogoTestAccess::frame(jogo);
    key[KEY_P] = 1;
    JogoTestAccess::frame(jogo);
    key[KEY_P] = 0;
}

void pausedFrameSent(benchmark::State& state) {
    Jogo& jogo = bench::loadedGame();
    bench::startMatch(jogo, 2);
    if (JogoTestAccess::screen(jogo) != GameScreen::Paused) pressP(jogo);
    if (JogoTestAccess::screen(jogo) != GameScreen::Paused) {
        state.SkipWithError("the game did not pause");
        return;
    }
    measure(state, [&](long) { JogoTestAccess::frame(jogo); });
    pressP(jogo);  // resumed, for whatever runs next
}

}  // namespace

namespace {

void factors(benchmark::internal::Benchmark* b) {
    b->ArgNames({"num", "den"});
    for (auto [num, den] : {std::pair{1, 1}, {2, 1}, {4, 1}, {3, 2}}) b->Args({num, den});
}

}  // namespace

BENCHMARK(playFrameSent)->Apply(factors)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(idleMenuFrameSent)->Apply(factors)->MinTime(1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(pausedFrameSent)->Apply(factors)->MinTime(1.0)->Unit(benchmark::kMicrosecond);
