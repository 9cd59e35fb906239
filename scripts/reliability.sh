#!/usr/bin/env bash
# The reliability runs that need builds of their own: the fuzz targets for a
# bounded time (scripts/fuzz.sh) and the long run of play under AddressSanitizer
# and UndefinedBehaviorSanitizer in build-san/, with the simulation's soak and
# replay, and a shorter long run under valgrind's memcheck.
#   LUMO_FRAMES        frames of the long run (100000 here; 1000000 for the full soak)
#   LUMO_FUZZ_SECONDS seconds per fuzz target (60)
set -euo pipefail
cd "$(dirname "$0")/.."
export LUMO_FRAMES=${LUMO_FRAMES:-100000}

scripts/fuzz.sh

cmake -S . -B build-san -DLUMO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-san -j2 --target lumo_tests
# The whole run stops at the first report; leaks are reported at exit.
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-san/tests/lumo_tests --gtest_filter='Endurance.*:FuzzRegressions.*:Storage.*:Soak*:Replay*'

# The long run again under valgrind's memcheck, shorter: no error, no leak.
LUMO_FRAMES=20000 valgrind -q --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite,possible --suppressions=tests/valgrind/allegro.supp \
    build/tests/lumo_tests --gtest_filter='Endurance.*'
