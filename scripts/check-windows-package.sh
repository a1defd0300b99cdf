#!/usr/bin/env bash
# Builds the Windows zip and installer, then tries both under Wine as a user
# would: the unzipped folder runs where it lies; the installer installs
# silently, the installed kite12.exe runs, and the uninstaller leaves nothing.
# Usage: scripts/check-windows-package.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t packages < <(scripts/package-windows.sh "$@")
zip="${packages[0]}" installer="${packages[1]}"
ls -l "$zip" "$installer"

scratch="$(mktemp -d)"
trap 'WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1

fail() { echo "check-windows-package: $*" >&2; exit 1; }
# The version line proves the program and every DLL it needs were found.
expect_version() {
    local out
    out="$(wine "$1" --version 2>/dev/null | tr -d '\r')"
    [[ "$out" == *"$(sed -n 's/^project(kite12-config VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"* ]] \
        || fail "$1 --version printed '$out'"
}

# The operator list and the presets beside the program, the list's licence with
# it, and both read from there; Qt's Chinese texts beside the window.
expect_operators() {
    local folder="$1" out
    for file in share/serviceproviders.xml licenses/mobile-operators.txt qtbase_zh_CN.qm \
        share/presets/car.ini share/presets/balloon.ini; do
        [ -f "$folder/$file" ] || fail "no $file in $folder"
    done
    out="$(wine "$folder/kite12.exe" gprs apn CN 2>&1 | tr -d '\r')"
    [[ "$out" == *"* cmnet "* ]] || fail "kite12.exe gprs apn CN printed '$out'"
    out="$(wine "$folder/kite12.exe" preset list 2>&1 | tr -d '\r')"
    echo "kite12.exe preset list:"
    echo "$out"
    [[ "$out" == *"balloon"* ]] || fail "kite12.exe preset list printed '$out'"
}

(cd "$scratch" && unzip -q "$zip")
expect_version "$scratch/$(basename "$zip" .zip)/kite12.exe"
expect_operators "$scratch/$(basename "$zip" .zip)"

# Into Program Files, as a user would: NSIS takes no quotes in /D=, and Wine
# quotes an argument with a space.
wine "$installer" /S
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/KITE12 APRS Config"
expect_version "$installed/kite12.exe"
expect_operators "$installed"
[ -f "$installed/platforms/qwindows.dll" ] || fail "the platform plugin was not installed"
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'KITE12 APRS Config.lnk' | grep -q . \
    || fail "no Start-menu entry"

# The uninstaller hands over to a copy of itself and returns: wait for the prefix to go quiet.
wine "$installed/Uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left: $(ls -A "$installed")"
echo "check-windows-package: zip and installer pass"
