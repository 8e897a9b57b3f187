#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them; arguments go to Google Benchmark
# (for example --benchmark_filter=Speed).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing "${ratiograph_need_packages[@]}"

build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRATIOGRAPH_TESTS=OFF >/dev/null
cmake --build "$build"
for bench in "$build"/bench/*_bench; do
    "$bench" "$@"
done
