#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")"

tools/deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
build=build/asan
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DPLEXO_SANITIZE=ON
fi
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

# A short run of every fuzz target (clang's libFuzzer), when they are present.
if [ -d tests/fuzz ] && command -v clang++ >/dev/null; then
    tools/fuzz.sh 20
fi
