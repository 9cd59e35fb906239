// The benchmarks run headless: Allegro without a display and a 640x480
// 32-bit memory bitmap as the screen, in the source folder so the shipped
// pictures and levels load.
#include <benchmark/benchmark.h>

#include "tests/support.h"

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (chdir(LUMO_SOURCE_DIR) != 0) {
        std::perror(LUMO_SOURCE_DIR);
        return 1;
    }
    test::startAllegro();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
