// A menu frame with each panel open, the pointer resting on the button that
// opened it.
#include "bench/environment.h"

namespace {

struct Panel {
    const char* name;
    int x, y;  // a point of the button that opens it; none for the bare menu
    bool clicks;
};
const Panel panels[] = {{"none", 400, 20, false},  {"levels", 100, 170, true},
                          {"ranking", 100, 270, true}, {"help", 100, 360, true},
                          {"credits", 100, 440, true}};

void menuFrame(benchmark::State& state) {
    const Panel& p = panels[state.range(0)];
    state.SetLabel(p.name);
    Jogo& jogo = bench::loadedGame();
    JogoTestAccess::openMenu(jogo);
    mouse_x = p.x;
    mouse_y = p.y;
    mouse_b = p.clicks ? 1 : 0;
    JogoTestAccess::frame(jogo);
    mouse_b = 0;
    bench::Samples samples;
    for (auto _ : state) {
        const auto t0 = bench::Samples::Clock::now();
        JogoTestAccess::frame(jogo);
        samples.add(bench::Samples::Clock::now() - t0);
    }
    samples.publish(state);
}

}  // namespace

BENCHMARK(menuFrame)->ArgName("panel")->DenseRange(0, 4)->MinTime(1.0)->Unit(benchmark::kMicrosecond);
