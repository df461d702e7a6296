#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for the
# given number of seconds (default 20) on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build/fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    CXX=clang++ cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DPLEXO_FUZZ=ON
fi
targets=$(sed -n 's/^plexo_fuzz_target(\([a-z_0-9]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
[ -n "$targets" ] || exit 0
cmake --build "$build" -j "$(nproc)" --target $targets
for t in $targets; do
    corpus="$build/corpus/$t"
    mkdir -p "$corpus"
    seeds="tests/fuzz/seeds/$t"
    echo "Fuzzing $t for ${seconds}s"
    if [ -d "$seeds" ]; then
        "$build/tests/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" "$seeds"
    else
        "$build/tests/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
    fi
done
