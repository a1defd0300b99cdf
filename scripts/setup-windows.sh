#!/usr/bin/env bash
# Installs the Windows cross toolchain and Wine, then builds Qt for Windows from
# Debian's qt6-base source (the version of the host's moc, rcc and uic) and keeps
# it in a cache outside the clone, so later runs take seconds. Prints the Qt
# prefix, to be given to cmake/mingw-w64-x86_64.cmake as KITE12_WINDOWS_QT.
# Usage: qt="$(scripts/setup-windows.sh)"    (KITE12_CACHE=/var/cache/kite12 by default)
# KITE12_QT_ARCHIVE=FILE: a .tar.xz of that folder, named as it is, used instead
# of building when its name and the SHA256SUMS beside it match.
# Everything but the prefix goes to stderr.
set -euo pipefail
archive="${KITE12_QT_ARCHIVE:+$(realpath -m "$KITE12_QT_ARCHIVE")}"
cd "$(dirname "$0")/.."
project="$PWD"
cache="${KITE12_CACHE:-/var/cache/kite12}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

scripts/install-packages.sh cmake ninja-build perl python3 xastir-data mobile-broadband-provider-info qt6-translations-l10n dpkg-dev qt6-base-dev qt6-base-dev-tools \
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

# Says on stderr why an archive is not used; a wrong one must not pass for the build.
unpack_archive() {
    local name sums expected actual unpacked
    name="$(basename "$prefix").tar.xz"
    sums="$(dirname "$archive")/SHA256SUMS"
    if [ "$(basename "$archive")" != "$name" ]; then
        echo "setup-windows: $archive is not $name (another Qt version or other options): building Qt" >&2
        return 1
    fi
    expected="$(awk -v n="$name" '$2 == n || $2 == "*" n { print $1 }' "$sums" 2>/dev/null || true)"
    actual="$(sha256sum "$archive" | cut -c1-64)"
    if [ "$actual" != "$expected" ]; then
        echo "setup-windows: the SHA-256 of $archive is $actual; $sums gives ${expected:-none}: building Qt" >&2
        return 1
    fi
    # Unpacked aside and moved in whole: the stamp is not the archive's last file.
    unpacked="$(mktemp -d "$cache/unpack-XXXXXX")"
    if ! tar -xJf "$archive" -C "$unpacked" "$(basename "$prefix")" || [ ! -f "$unpacked/${stamp#"$cache/"}" ]; then
        echo "setup-windows: $archive does not hold a complete $(basename "$prefix"): building Qt" >&2
        rm -rf "$unpacked"
        return 1
    fi
    rm -rf "$prefix"
    mv "$unpacked/$(basename "$prefix")" "$prefix"
    rm -rf "$unpacked"
}

config_hash="$(printf '%s\n' "$qt_version" "${qt_options[@]}" "${qt_cmake_options[@]}" \
    | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw64-$config_hash"
work="$cache/work-$config_hash"
stamp="$prefix/.kite12-complete"
[ -f "$stamp" ] && { echo "$prefix"; exit 0; }

$sudo mkdir -p "$cache"
$sudo chown "$(id -u):$(id -g)" "$cache"
[ -n "$archive" ] && unpack_archive && { echo "$prefix"; exit 0; }
[ -f "$work/source.stamp" ] || fetch_source >&2
build_qt >&2
# Written last: an interrupted run leaves no stamp and builds again.
touch "$stamp"
rm -rf "$work"
echo "$prefix"
