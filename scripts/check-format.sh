#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted with its .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard '*.cpp' '*.h' |
    while read -r file; do [ -f "$file" ] && echo "$file"; done |
    xargs -r clang-format --dry-run --Werror
echo "format: ok"
