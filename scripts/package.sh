#!/usr/bin/env bash
# Builds the Debian package kite12-config_<version>_<arch>.deb into the build folder.
# Usage: scripts/package.sh [build-folder]   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-package}"

packages=(cmake g++ qt6-base-dev qt6-serialport-dev libgl-dev dpkg-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Only the two installed programs are built; the tests are not part of the package.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build" --parallel "$(nproc)" --target kite12-config kite12-sim
(cd "$build" && cpack -G DEB)
ls "$build"/kite12-config_*.deb
