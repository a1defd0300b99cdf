#!/usr/bin/env bash
# The Windows stage of CI: Qt for Windows (built once, then from the cache),
# the cross build with warnings as errors, its tests under Wine (the window's
# end-to-end tests against the virtual tracker of a Linux build among them),
# then kite12.exe under Wine against that tracker, then the zip and the
# installer.
# Usage: scripts/ci-windows.sh [WINDOWS_BUILD] [LINUX_BUILD]
#   WINDOWS_BUILD  made here (default build-windows)
#   LINUX_BUILD    a configured Linux build, reused (default: build-windows-linux, made here)
set -euo pipefail
cd "$(dirname "$0")/.."
windows="$(realpath -m "${1:-build-windows}")"
linux="${2:-build-windows-linux}"
jobs="$(nproc)"

qt="$(scripts/setup-windows.sh)"
# The Linux build first: its kite12-sim is the tracker of the Windows build's
# end-to-end tests under Wine, and its tst_wine_cli runs kite12.exe.
cmake -S . -B "$linux" -DKITE12_WERROR=ON -DKITE12_WINDOWS_BUILD="$windows" \
    -DKITE12_WINDOWS_QT="$qt"
cmake --build "$linux" --parallel "$jobs" --target tst_wine_cli kite12-sim

cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DKITE12_WINDOWS_QT="$qt" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKITE12_WERROR=ON \
    -DKITE12_LINUX_SIM="$(realpath "$linux")/tools/sim/kite12-sim"
cmake --build "$windows" --parallel "$jobs"
# The first Wine program starts the wineserver and the prefix's services, which
# would hold ctest's output pipe open until the stage ends and keep that test's
# slot: they start here, with their output elsewhere, and stop after the tests.
wine_prefix() { env WINEPREFIX="$windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"; }
mkdir -p "$windows/wineprefix"
trap 'wine_prefix wineserver -k 2>/dev/null || true' EXIT
wine_prefix wineserver -p >/dev/null 2>&1
wine_prefix wine wineboot -i >"$windows/wineboot.log" 2>&1
ctest --test-dir "$windows" --output-on-failure --timeout 900 -j "$jobs"
wine_prefix wineserver -k
wine_prefix wineserver -w
trap - EXIT

# Skipping is a failure here: this stage is there to run it.
ctest --test-dir "$linux" --output-on-failure --timeout 600 -R '^tst_wine_cli$' 2>&1 \
    | tee "$linux/wine-cli.log"
if grep -q 'Not Run\|Skipped' "$linux/wine-cli.log"; then
    echo "ci-windows: the Wine test of kite12.exe did not run" >&2
    exit 1
fi

# The zip and the installer, from the same build, tried under Wine.
scripts/check-windows-package.sh "$windows"
