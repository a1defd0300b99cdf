#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds.
# Usage: scripts/setup.sh [build-folder]   (KITE12_WERROR=ON turns warnings into errors)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

packages=(cmake g++ qt6-base-dev qt6-serialport-dev libgl-dev xvfb xauth fonts-noto-cjk)
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

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KITE12_WERROR:+-DKITE12_WERROR="$KITE12_WERROR"}
cmake --build "$build" --parallel "$(nproc)"
