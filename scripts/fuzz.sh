#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# a bounded time (LUMO_FUZZ_SEGUNDOS, 60 by default), both at once.
# New inputs found go to build-fuzz/corpus_*; a failing input is kept in
# build-fuzz/artefatos/ and should be copied to tests/fuzz/regressao_<target>/,
# where the normal test FuzzRegressao replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD  # the targets work in a folder of their own: absolute paths only
segundos=${LUMO_FUZZ_SEGUNDOS:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DLUMO_FUZZ=ON -DLUMO_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_nivel fuzz_ranking

mkdir -p build-fuzz/artefatos
pids=()
for alvo in nivel ranking; do
    mkdir -p "build-fuzz/corpus_$alvo"
    # The first folder takes what the run finds; the committed seeds and
    # regression inputs are only read.
    build-fuzz/tests/fuzz/fuzz_$alvo "$raiz/build-fuzz/corpus_$alvo" "$raiz/tests/fuzz/corpus_$alvo" \
        "$raiz/tests/fuzz/regressao_$alvo" -max_total_time="$segundos" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$raiz/build-fuzz/artefatos/$alvo-" \
        >"build-fuzz/fuzz_$alvo.log" 2>&1 &
    pids+=($!)
done
falhou=0
for i in 0 1; do
    alvo=$([[ $i == 0 ]] && echo nivel || echo ranking)
    if ! wait "${pids[$i]}"; then
        falhou=1
        echo "fuzz_$alvo FAILED; input kept in build-fuzz/artefatos/:" >&2
        tail -40 "build-fuzz/fuzz_$alvo.log" >&2
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/fuzz_$alvo.log")
    echo "fuzz_$alvo: ${execs:-?} inputs in ${segundos}s"
done
exit $falhou
