#!/usr/bin/env bash
# Installs what building (and, with --tests, testing) Lumo needs from Debian's
# or Ubuntu's packages, then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config liballegro4-dev libloadpng4-dev libjpgalleg4-dev libx11-dev)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick clang libclang-rt-dev
              valgrind desktop-file-utils libxfixes-dev)
fi

scripts/packages.sh "${packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
