#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# a bounded time (LUMO_FUZZ_SECONDS, 60 by default), both at once.
# New inputs found go to build-fuzz/corpus_*; a failing input is kept in
# build-fuzz/artifacts/ and should be copied to tests/fuzz/regressions_<target>/,
# where the normal test FuzzRegressions replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD  # the targets work in a folder of their own: absolute paths only
seconds=${LUMO_FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DLUMO_FUZZ=ON -DLUMO_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_level fuzz_ranking

mkdir -p build-fuzz/artifacts
pids=()
for target in level ranking; do
    mkdir -p "build-fuzz/corpus_$target"
    # The first folder takes what the run finds; the committed seeds and
    # regression inputs are only read.
    build-fuzz/tests/fuzz/fuzz_$target "$root/build-fuzz/corpus_$target" "$root/tests/fuzz/corpus_$target" \
        "$root/tests/fuzz/regressions_$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$root/build-fuzz/artifacts/$target-" \
        >"build-fuzz/fuzz_$target.log" 2>&1 &
    pids+=($!)
done
failed=0
for i in 0 1; do
    target=$([[ $i == 0 ]] && echo level || echo ranking)
    if ! wait "${pids[$i]}"; then
        failed=1
        echo "fuzz_$target FAILED; input kept in build-fuzz/artifacts/:" >&2
        tail -40 "build-fuzz/fuzz_$target.log" >&2
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/fuzz_$target.log")
    echo "fuzz_$target: ${execs:-?} inputs in ${seconds}s"
done
exit $failed
