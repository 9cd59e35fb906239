#!/usr/bin/env bash
# Sets up, builds and runs every test. The window tests start their own
# virtual X server, so nothing needs to be running beforehand.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
(cd build && ctest --output-on-failure -j2)

# The simulation's long runs again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-san -DLUMO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-san -j"$(nproc)"
(cd build-san && ctest --output-on-failure -j2 -R 'Soak|Replay')
