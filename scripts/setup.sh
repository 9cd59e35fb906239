#!/usr/bin/env bash
# Installs what building Lumo needs from Debian's or Ubuntu's packages, then
# configures and builds the game into build/. With --tests it also installs
# what the tests need and builds them too.
set -euo pipefail
cd "$(dirname "$0")/.."

# file: the package build reads the program's libraries with it (Depends).
packages=(build-essential cmake pkg-config file liballegro4-dev libloadpng4-dev libturbojpeg0-dev libasound2-dev libx11-dev)
tests=OFF
if [[ "${1:-}" == "--tests" ]]; then
    tests=ON
    packages+=(libgtest-dev libbenchmark-dev xvfb xdotool x11-utils imagemagick clang libclang-rt-dev
               valgrind desktop-file-utils appstream lintian man-db libxfixes-dev)
fi

scripts/packages.sh "${packages[@]}"

# With the tests the benchmarks are built too, so a change that breaks them
# fails the test command rather than the next measurement.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_TESTS="$tests" -DLUMO_BENCH="$tests" >/dev/null
if [[ $tests == ON ]]; then
    cmake --build build -j"$(nproc)"
else
    cmake --build build -j"$(nproc)" --target lumo
fi
