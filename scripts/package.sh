#!/usr/bin/env bash
# Builds the Debian package kite12-config_<version>_<arch>.deb into the build folder.
# Usage: scripts/package.sh [build-folder]   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-package}"

scripts/install-packages.sh cmake python3 xastir-data mobile-broadband-provider-info g++ qt6-base-dev qt6-serialport-dev libgl-dev dpkg-dev help2man

# Only what is installed is built (programs and manual pages); the tests are not part of the package.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build" --parallel "$(nproc)" --target kite12-config kite12 kite12-man kite12-sim kite12-sim-man
(cd "$build" && cpack -G DEB)
ls "$build"/kite12-config_*.deb
