// What the benchmarks share: the game with the shipped pictures loaded, a
// game played until every enemy is on the field, and per-frame samples
// turned into a median and a 99th percentile.
#pragma once

#include "tests/jogo_access.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace bench {

// One game with the shipped pictures, loaded on first use.
Jogo& loadedGame();

// Sets level nr up and plays it, without drawing, until all four enemies are
// present; the background is then drawn as a game starts.
void startMatch(Jogo& jogo, short nr);

// Keeps the remaining clock far from zero so a benchmark never ends a game.
void keepGameGoing(Mapa& mapa);

// Steers the way a player might: turns one way, then the other, then straight.
void keysForFrame(long frame);
void releaseKeys();

// Durations of single frames, published as counters in microseconds.
class Samples {
public:
    using Clock = std::chrono::steady_clock;
    void add(Clock::duration d) { ns.push_back(std::chrono::duration<double, std::nano>(d).count()); }
    void publish(benchmark::State& state);

private:
    std::vector<double> ns;
};

}  // namespace bench
