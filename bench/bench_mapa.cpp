// Updates of the level alone (Jogo::atualizaLogica, nothing drawn), per level,
// with all four enemies on the field.
#include "bench/environment.h"

namespace {

void updates(benchmark::State& state) {
    Jogo jogo;  // no pictures: the update never draws
    bench::startMatch(jogo, static_cast<short>(state.range(0)));
    long q = 0;
    for (auto _ : state) {
        bench::keysForFrame(q++);
        bench::keepGameGoing(JogoTestAccess::mapa(jogo));
        jogo.capturaComandos();
        jogo.atualizaLogica();
    }
    bench::releaseKeys();
    benchmark::DoNotOptimize(JogoTestAccess::mapa(jogo).getSeg());
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(updates)->ArgName("level")->DenseRange(1, 3)->MinTime(1.0);
