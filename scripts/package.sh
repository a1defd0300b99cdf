#!/usr/bin/env bash
# Builds the Debian package kite12-config_<version>_<arch>.deb into the build folder.
# Usage: scripts/package.sh [--arch arm64] [build-folder]
#   (default: this machine's architecture, build-package; build-package-arm64 for arm64)
# arm64 is cross-built here for a Raspberry Pi, against Debian's multiarch Qt;
# the manual pages come from the programs' own help, run under qemu-user.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=""
if [ "${1:-}" = "--arch" ]; then
    arch="${2:?scripts/package.sh: --arch needs an architecture (arm64)}"
    shift 2
fi

common=(cmake python3 xastir-data mobile-broadband-provider-info dpkg-dev help2man)
case "$arch" in
    "")
        build="${1:-build-package}"
        scripts/install-packages.sh "${common[@]}" g++ qt6-base-dev qt6-serialport-dev libgl-dev
        toolchain=()
        ;;
    arm64)
        build="${1:-build-package-arm64}"
        scripts/install-packages.sh "${common[@]}" crossbuild-essential-arm64 qemu-user-static \
            qt6-base-dev-tools qt6-base-dev:arm64 qt6-serialport-dev:arm64 libgl-dev:arm64
        toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake)
        ;;
    *)
        echo "scripts/package.sh: no cross build for $arch (arm64 is the one there is)" >&2
        exit 2
        ;;
esac

# Only what is installed is built (programs and manual pages); the tests are not part of the package.
cmake -S . -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build" --parallel "$(nproc)" --target kite12-config kite12 kite12-man kite12-sim kite12-sim-man
(cd "$build" && cpack -G DEB)
ls "$build"/kite12-config_*.deb
