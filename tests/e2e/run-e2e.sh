#!/usr/bin/env bash
# Runs the end-to-end test on an X server of its own (Xvfb), so it needs no display:
#   run-e2e.sh DRIVER TICKVANE MASTER
# Exits 77 (skipped) when Xvfb or xdotool is missing; scripts/install-deps.sh installs both.
set -euo pipefail
driver=$1
program=$2
master=$3
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
if [ ! -s "$scratch/display" ]; then
    echo "FAIL: Xvfb did not start"
    cat "$scratch/xvfb.log"
    exit 1
fi
export DISPLAY=":$(head -n1 "$scratch/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# The program reads a copy of the folder, to which the test appends records while it runs.
cp -r "$(dirname "$master")" "$scratch/quotes"
"$driver" "$program" "$scratch/quotes/$(basename "$master")" "$scratch"
