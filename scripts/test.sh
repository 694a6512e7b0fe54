#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full build, then every test
# again under AddressSanitizer and UndefinedBehaviorSanitizer (the Qt tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
jobs=$(nproc)

scripts/build.sh dev
ctest --preset dev -j "$jobs"

scripts/build.sh asan
ctest --preset asan -j "$jobs"
