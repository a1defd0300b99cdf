#!/usr/bin/env bash
# Installs the Windows cross toolchain and Wine, then builds Qt for Windows from
# Debian's qt6-base source (the version of the host's moc, rcc and uic) and keeps
# it in a cache outside the clone, so later runs take seconds. Prints the Qt
# prefix, to be given to cmake/mingw-w64-x86_64.cmake as KITE12_WINDOWS_QT.
# Usage: qt="$(scripts/setup-windows.sh)"    (KITE12_CACHE=/var/cache/kite12 by default)
# Everything but the prefix goes to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
project="$PWD"
cache="${KITE12_CACHE:-/var/cache/kite12}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

scripts/install-packages.sh cmake ninja-build perl dpkg-dev qt6-base-dev qt6-base-dev-tools \
    g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth >&2

qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools | sed 's/+.*//')"
# Only what the project uses; the rest would triple the build time.
qt_options=(-release -shared -opensource -confirm-license -nomake examples -nomake tests
    -no-feature-sql -no-feature-network -no-opengl -no-feature-dynamicgl -no-dbus
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml -no-zstd -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre)
# Debian's tarball lacks the wintab header that tablet events need.
qt_cmake_options=(-DFEATURE_tabletevent=OFF)

# Adds deb-src entries for the Debian suites the system installs from, once.
enable_debian_sources() {
    apt-get source --print-uris qt6-base >/dev/null 2>&1 && return
    local list=/etc/apt/sources.list.d/kite12-src file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ "$file" = "$list.sources" ] || [ ! -f "$file" ] || awk -v RS= -v ORS='\n\n' '
            /URIs:[^\n]*debian/ && /Types:[^\n]*deb([ \n]|$)/ {
                sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
    done | $sudo tee "$list.sources" >/dev/null
    { sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        2>/dev/null || true; } | $sudo tee "$list.list" >/dev/null
    $sudo apt-get update -o DPkg::Lock::Timeout=900
}

fetch_source() {
    rm -rf "$work"
    mkdir -p "$work"
    enable_debian_sources
    (cd "$work" && apt-get source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)" \
        && dpkg-source -x qt6-base_*.dsc source)
    touch "$work/source.stamp"
}

# The runtime DLLs of MinGW go next to Qt's, so one folder on WINEPATH (or
# beside the program) serves both.
build_qt() (
    mkdir -p "$work/build"
    cd "$work/build"
    nice -n 19 ../source/configure -prefix "$prefix" -qt-host-path /usr -xplatform win32-g++ \
        "${qt_options[@]}" -- "${qt_cmake_options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    nice -n 19 cmake --build . --parallel "$(nproc)"
    rm -rf "$prefix"
    cmake --install . --strip
    local dll
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$prefix/bin/"
    done
)

config_hash="$(printf '%s\n' "$qt_version" "${qt_options[@]}" "${qt_cmake_options[@]}" \
    | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw64-$config_hash"
work="$cache/work-$config_hash"
stamp="$prefix/.kite12-complete"
[ -f "$stamp" ] && { echo "$prefix"; exit 0; }

$sudo mkdir -p "$cache"
$sudo chown "$(id -u):$(id -g)" "$cache"
[ -f "$work/source.stamp" ] || fetch_source >&2
build_qt >&2
# Written last: an interrupted run leaves no stamp and builds again.
touch "$stamp"
rm -rf "$work"
echo "$prefix"
