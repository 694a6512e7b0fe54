#!/usr/bin/env bash
# Draws the splash pictures and the icon PNGs into res/ again, e.g. after the notice or the icon
# changed. The optional argument is the splash's small print.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build build/dev --target tickvane-make-artwork
QT_QPA_PLATFORM=offscreen build/dev/res/tickvane-make-artwork res "$@"
