#!/usr/bin/env bash
# Builds Ratiograph and starts the calculator.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing "${ratiograph_need_packages[@]}"

build="$top/build/release"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRATIOGRAPH_TESTS=OFF \
    -DRATIOGRAPH_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target ratiograph

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "ratiograph: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset)" >&2
    exit 1
fi
exec "$build/app/ratiograph" "$@"
