#!/usr/bin/env bash
# Draws the screenshots of the AppStream metadata into res/screenshots/ again with the project's
# own tickvane-cli render, from the sample quote folder: run it after the chart's look changed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build build/dev --target tickvane-cli tickvane-imageexport
cli=build/dev/cli/tickvane-cli
"$cli" render samples/demo/MASTER --symbol ACME --size 1200x750 -o res/screenshots/chart.png
"$cli" render samples/demo/MASTER --symbol DYNA --size 1200x750 --style candles --grid \
    --bar-space 9 --study bbands:20,2 --study rsi:14 -o res/screenshots/studies.png
