#!/usr/bin/env bash
# Installs the Debian packages that building, testing and packaging Tickvane need; does nothing
# when they are all there already.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 clang-format
    xvfb xdotool
    libsqlite3-dev sqlite3
    man-db groff-base zsh
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
