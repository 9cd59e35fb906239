#!/usr/bin/env bash
# Sets up, builds and runs every test. The window tests start their own
# virtual X server, so nothing needs to be running beforehand.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
(cd build && ctest --output-on-failure -j2)
# Fuzzing for a minute per target, and the long runs under the sanitizers.
scripts/reliability.sh
