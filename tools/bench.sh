#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them; arguments go to Google Benchmark
# (for example --benchmark_filter=Speed). Then times the calculator's start-up against a bare Qt dialog, from
# launch to the first window painted, on an X server (Xvfb when there is no display): the two in turn, so that
# a machine that speeds up or slows down during the run weighs on both alike. STARTUP_RUNS sets the pairs (20).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing "${ratiograph_need_packages[@]}" xvfb xauth python3

build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRATIOGRAPH_TESTS=OFF >/dev/null
cmake --build "$build"
for bench in "$build"/bench/*_bench; do
    "$bench" "$@"
done

run_startup() {
    python3 - "$build/bench/startup_app" "$build/bench/bare_dialog" "${STARTUP_RUNS:-20}" <<'PYTHON'
import statistics, subprocess, sys, time
app, bare, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
def run(program):
    begin = time.perf_counter()
    subprocess.run([program], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter() - begin) * 1000
run(app), run(bare)  # the first runs fill the file cache
pairs = [(run(app), run(bare)) for _ in range(runs)]
median_app = statistics.median(a for a, _ in pairs)
median_bare = statistics.median(b for _, b in pairs)
print(f"start-up to the first window, median of {runs}: calculator {median_app:.1f} ms, "
      f"bare Qt dialog {median_bare:.1f} ms, ratio {median_app / median_bare:.3f} "
      f"(median of the pairs' ratios {statistics.median(a / b for a, b in pairs):.3f})")
PYTHON
}
if [ -n "${DISPLAY:-}" ]; then
    run_startup
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f run_startup); build='$build'; run_startup"
fi
