#include "bench/environment.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace bench {

Jogo& loadedGame() {
    static Jogo jogo;
    static bool loaded = false;
    if (!loaded) {
        if (!JogoTestAccess::render(jogo).carregaImagens())
            throw std::runtime_error("the shipped pictures did not load");
        loaded = true;
    }
    return jogo;
}

void keepGameGoing(Mapa& mapa) {
    if (mapa.getMinD() < 5) mapa.setMinD(9);
}

void startMatch(Jogo& jogo, short nr) {
    if (!JogoTestAccess::startLevel(jogo, nr))
        throw std::runtime_error("level " + levelFilePath(nr) + " did not load");
    srand(nr);  // the same game on every run
    Mapa& mapa = JogoTestAccess::mapa(jogo);
    for (long q = 0; !mapa.getGangster().getExiste(); ++q) {
        if (q > 100000) throw std::runtime_error("the enemies never came");
        keysForFrame(q);
        keepGameGoing(mapa);
        JogoTestAccess::mapa(jogo).capturaComando();  // the default keys, straight from key[]
        jogo.atualizaLogica();
    }
    JogoTestAccess::drawBackground(jogo);
}

void keysForFrame(long frame) {
    key[KEY_RIGHT] = (frame / 40) % 3 == 0;
    key[KEY_LEFT] = (frame / 40) % 3 == 1;
}

void releaseKeys() {
    key[KEY_RIGHT] = 0;
    key[KEY_LEFT] = 0;
}

void Samples::publish(benchmark::State& state) {
    if (ns.empty()) return;
    std::sort(ns.begin(), ns.end());
    auto quantile = [&](double q) { return ns[static_cast<size_t>(q * (ns.size() - 1))] / 1000.0; };
    state.counters["median_us"] = quantile(0.5);
    state.counters["p99_us"] = quantile(0.99);
    state.counters["max_us"] = ns.back() / 1000.0;
}

}  // namespace bench
