#!/usr/bin/env bash
# Builds the benchmarks (Release, into build-bench/) and runs them. Each one
# repeats five times and reports the median, mean and spread of the runs:
# the machine may be shared, so read the medians. Extra arguments go to
# Google Benchmark, e.g. --benchmark_filter=menuFrame; --build-only builds
# and stops (scripts/perf.sh uses the game and the probe built here);
# --levels runs only the level bots (bench/level_bot.cpp) on the shipped levels:
# the expert steering for the item and away from walls alone, then also away
# from the enemies; a new player reacting late and turning as a person does;
# and a player who never touches a key.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh build-essential cmake pkg-config liballegro4-dev libloadpng4-dev libturbojpeg0-dev libasound2-dev \
    libgtest-dev libbenchmark-dev libpng-dev libjpeg-dev libx11-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DLUMO_BENCH=ON -DLUMO_TESTS=ON >/dev/null
cmake --build build-bench -j2 --target lumo_bench menu_probe bare_window lumo level_bot window_send
[[ "${1:-}" == "--build-only" ]] && exit 0
levels() {
    for avoid in 0 1; do
        echo "level bot, expert, 300 seeded games a level, avoiding enemies: $avoid"
        build-bench/bench/level_bot --games 300 --player expert --avoid-enemies "$avoid"
    done
    for player in new idle; do
        echo "level bot, $player player, 300 seeded games a level"
        build-bench/bench/level_bot --games 300 --player "$player"
    done
}
if [[ "${1:-}" == "--levels" ]]; then
    levels
    exit 0
fi
build-bench/bench/lumo_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
levels
