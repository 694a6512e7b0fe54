#!/usr/bin/env bash
# Installs what is missing, builds Tickvane and shows the sample quote directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
cli=build/release/cli/tickvane-cli
echo "== Securities in samples/demo/MASTER"
"$cli" list samples/demo/MASTER
echo "== Newest 10 rows of ACME"
"$cli" quotes samples/demo ACME --count 10
echo "== The chart of ACME, drawn into demo-chart.png"
"$cli" render samples/demo/MASTER --symbol ACME --size 1000x600 -o demo-chart.png
