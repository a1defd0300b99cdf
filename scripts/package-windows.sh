#!/usr/bin/env bash
# Builds the Windows zip (kite12-config-<version>-win64.zip, unzip and run) and
# its installer (kite12-config-<version>-win64.exe) into the build folder.
# Usage: scripts/package-windows.sh [build-folder]   (default build-windows-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-windows-package}"

qt="$(scripts/setup-windows.sh)"
scripts/install-packages.sh nsis unzip >&2

# Only what is installed is built; the tests are not part of the package. The
# build type is CI's, so its Windows build folder serves as it is; the package
# is stripped.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKITE12_WINDOWS_QT="$qt" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >&2
cmake --build "$build" --parallel "$(nproc)" --target kite12-config kite12 >&2
(cd "$build" && cpack -G "ZIP;NSIS" >&2)
# The zip first, then the installer, as absolute paths.
realpath "$build"/kite12-config-*-win64.zip
realpath "$build"/kite12-config-*-win64.exe
