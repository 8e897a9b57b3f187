#!/usr/bin/env bash
# Builds Ratiograph with warnings as errors and runs every test, headless.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing "${ratiograph_need_packages[@]}" "${ratiograph_test_packages[@]}"
ratiograph_ensure_comma_locale

run_suite() { # build directory, then CMake options
    local build="$top/build/$1"
    shift
    echo "== $(basename "$build")"
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRATIOGRAPH_WERROR=ON "$@" >/dev/null
    cmake --build "$build"
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
}

# The layers below the dialogs must build and pass without Qt Widgets; the tree must be clang-format clean.
run_suite core -DRATIOGRAPH_GUI=OFF -DRATIOGRAPH_BENCHMARKS=OFF
echo "== format"
cmake --build "$top/build/core" --target format-check
run_suite test
# Everything again under AddressSanitizer and UndefinedBehaviorSanitizer; any finding fails the run.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$top/tools/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite sanitize -DRATIOGRAPH_SANITIZE=ON -DRATIOGRAPH_BENCHMARKS=OFF
