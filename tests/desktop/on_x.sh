#!/usr/bin/env bash
# Runs a test program COUNT times, each a new process, on an X server of its own (Xvfb, 1280x1024) whose windows
# openbox manages: what a window manager does to a new window depends on timing that differs from start to start.
# Usage: on_x.sh COUNT PROGRAM [ARGUMENT]...
set -euo pipefail
count=$1
shift
for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "on_x.sh: $tool is missing; tools/setup.sh installs it" >&2; exit 1; }
done

dir=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$dir"
}
trap cleanup EXIT

# Xvfb writes the number of a free display once it takes connections, openbox runs its start-up command once it
# manages the screen; each is read from a pipe, so the wait ends when they are ready (or fails after a minute).
mkfifo "$dir/display" "$dir/wm"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3<>"$dir/display" >"$dir/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 60 number <>"$dir/display" || { cat "$dir/xvfb.log" >&2; echo "on_x.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$dir"
unset WAYLAND_DISPLAY
openbox --sm-disable --startup "sh -c 'echo >$dir/wm'" >"$dir/openbox.log" 2>&1 &
pids+=($!)
read -r -t 60 <>"$dir/wm" || { cat "$dir/openbox.log" >&2; echo "on_x.sh: openbox did not start" >&2; exit 1; }

failed=0
for ((run = 1; run <= count; run++)); do
    "$@" || failed=$((failed + 1))
done
echo "on_x.sh: $failed of $count runs failed"
[ "$failed" -eq 0 ]
