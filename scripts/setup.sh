#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds
# the given targets, or everything when none is given.
# Usage: scripts/setup.sh [build-folder [target...]]
#   KITE12_WERROR=ON turns warnings into errors; KITE12_SANITIZE=ON builds with
#   AddressSanitizer and UndefinedBehaviorSanitizer, so every test runs under them.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
targets=("${@:2}")

scripts/install-packages.sh cmake ninja-build lld python3 python3-jsonschema xastir-data mobile-broadband-provider-info g++ qt6-base-dev qt6-serialport-dev libgl-dev xvfb xauth fonts-noto-cjk qt6-translations-l10n

# Ninja builds a fresh clone about a fifth faster than make here. A folder
# configured before keeps the generator it was made with.
[ -f "$build/CMakeCache.txt" ] || export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KITE12_WERROR:+-DKITE12_WERROR="$KITE12_WERROR"} \
    ${KITE12_SANITIZE:+-DKITE12_SANITIZE="$KITE12_SANITIZE"}
cmake --build "$build" --parallel "$(nproc)" ${targets[@]:+--target "${targets[@]}"}
