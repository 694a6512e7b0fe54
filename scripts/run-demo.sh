#!/usr/bin/env bash
# Installs what is missing, builds Tickvane and opens the sample quote directory in it. Without a
# display it says so and shows the sample with the command-line reader instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/app/tickvane samples/demo/MASTER
fi

echo "No display found (DISPLAY and WAYLAND_DISPLAY are not set), so Tickvane cannot open its"
echo "window. Here is the sample through the command-line reader instead."
cli=build/release/cli/tickvane-cli
echo "== Securities in samples/demo/MASTER"
"$cli" list samples/demo/MASTER
echo "== Newest 10 rows of ACME"
"$cli" quotes samples/demo ACME --count 10
echo "== The chart of ACME, drawn into demo-chart.png"
"$cli" render samples/demo/MASTER --symbol ACME --size 1000x600 -o demo-chart.png
