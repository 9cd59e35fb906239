#include "bench/environment.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace bench {

Jogo& jogoCarregado() {
    static Jogo jogo;
    static bool carregado = false;
    if (!carregado) {
        if (!JogoTestAccess::render(jogo).carregaImagens())
            throw std::runtime_error("the shipped pictures did not load");
        carregado = true;
    }
    return jogo;
}

void mantemJogo(Mapa& mapa) {
    if (mapa.getMinD() < 5) mapa.setMinD(9);
}

void preparaPartida(Jogo& jogo, short nr) {
    if (!JogoTestAccess::startLevel(jogo, nr))
        throw std::runtime_error("level " + levelFilePath(nr) + " did not load");
    srand(nr);  // the same game on every run
    Mapa& mapa = JogoTestAccess::mapa(jogo);
    for (long q = 0; !mapa.getGangster().getExiste(); ++q) {
        if (q > 100000) throw std::runtime_error("the enemies never came");
        teclasDoQuadro(q);
        mantemJogo(mapa);
        JogoTestAccess::mapa(jogo).capturaComando();  // the default keys, straight from key[]
        jogo.atualizaLogica();
    }
    JogoTestAccess::drawBackground(jogo);
}

void teclasDoQuadro(long quadro) {
    key[KEY_RIGHT] = (quadro / 40) % 3 == 0;
    key[KEY_LEFT] = (quadro / 40) % 3 == 1;
}

void soltaTeclas() {
    key[KEY_RIGHT] = 0;
    key[KEY_LEFT] = 0;
}

void Amostras::publica(benchmark::State& state) {
    if (ns.empty()) return;
    std::sort(ns.begin(), ns.end());
    auto quantil = [&](double q) { return ns[static_cast<size_t>(q * (ns.size() - 1))] / 1000.0; };
    state.counters["mediana_us"] = quantil(0.5);
    state.counters["p99_us"] = quantil(0.99);
    state.counters["max_us"] = ns.back() / 1000.0;
}

}  // namespace bench
