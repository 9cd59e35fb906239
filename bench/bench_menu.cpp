// A menu frame with each panel open, the pointer resting on the button that
// opened it.
#include "bench/environment.h"

namespace {

struct Painel {
    const char* nome;
    int x, y;  // a point of the button that opens it; none for the bare menu
    bool clica;
};
const Painel paineis[] = {{"nenhum", 400, 20, false},  {"niveis", 100, 170, true},
                          {"ranking", 100, 270, true}, {"ajuda", 100, 360, true},
                          {"creditos", 100, 440, true}};

void quadroDeMenu(benchmark::State& state) {
    const Painel& p = paineis[state.range(0)];
    state.SetLabel(p.nome);
    Jogo& jogo = bench::jogoCarregado();
    JogoTestAccess::openMenu(jogo);
    mouse_x = p.x;
    mouse_y = p.y;
    mouse_b = p.clica ? 1 : 0;
    JogoTestAccess::frame(jogo);
    mouse_b = 0;
    bench::Amostras amostras;
    for (auto _ : state) {
        const auto t0 = bench::Amostras::Relogio::now();
        JogoTestAccess::frame(jogo);
        amostras.junta(bench::Amostras::Relogio::now() - t0);
    }
    amostras.publica(state);
}

}  // namespace

BENCHMARK(quadroDeMenu)->ArgName("painel")->DenseRange(0, 4)->MinTime(1.0)->Unit(benchmark::kMicrosecond);
