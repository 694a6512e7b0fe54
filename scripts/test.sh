#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full build, then the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
jobs=$(nproc)

scripts/build.sh dev
ctest --test-dir build/dev --output-on-failure -j "$jobs"

scripts/build.sh asan
ctest --test-dir build/asan --output-on-failure -j "$jobs"
