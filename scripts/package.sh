#!/usr/bin/env bash
# Builds a release with Debian's hardening flags in build/package (kept, so that the next run only
# builds what changed) and makes the Debian package there with CPack; prints its path last.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package
# Every hardening flag, immediate binding included.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake --preset release -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build"
rm -f "$build"/tickvane_*.deb
(cd "$build" && cpack -G DEB) >&2
ls "$PWD/$build"/tickvane_*.deb
