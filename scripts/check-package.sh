#!/usr/bin/env bash
# Builds the Debian package and runs Debian's checkers on it: lintian (no error,
# no warning), appstreamcli on the AppStream metadata and desktop-file-validate
# on the menu entry, both as the package installs them. Fails when any of them
# finds something.
# With --arch arm64 it checks the cross-built package the same way, finds in it
# the files of the amd64 one (when build-package holds it), and runs its
# programs under qemu-user (scripts/smoke-emulated.sh).
# Usage: scripts/check-package.sh [--arch arm64] [build-folder]
#   (default build-package; build-package-arm64 for arm64)
set -euo pipefail
cd "$(dirname "$0")/.."
arch_option=()
if [ "${1:-}" = "--arch" ]; then
    arch_option=("$1" "$2")
    shift 2
fi
build="${1:-build-package${arch_option[1]:+-${arch_option[1]}}}"

scripts/install-packages.sh lintian appstream desktop-file-utils
scripts/package.sh "${arch_option[@]}" "$build"
deb=$(ls "$build"/kite12-config_*.deb)

echo "lintian: $deb"
lintian --fail-on error,warning "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
# --no-net: the check must not depend on the network.
for metainfo in "$unpacked"/usr/share/metainfo/*.metainfo.xml; do
    echo "appstreamcli validate: ${metainfo#"$unpacked"}"
    appstreamcli validate --no-net "$metainfo"
done
presets=("$unpacked"/usr/share/kite12/presets/*.ini)
echo "presets: ${#presets[@]} in /usr/share/kite12/presets"
[ "${#presets[@]}" -ge 8 ] || { echo "check-package: the presets are missing" >&2; exit 1; }
for entry in "$unpacked"/usr/share/applications/*.desktop; do
    echo "desktop-file-validate: ${entry#"$unpacked"}"
    desktop-file-validate "$entry"
done

if [ ${#arch_option[@]} -gt 0 ]; then
    native=(build-package/kite12-config_*_"$(dpkg --print-architecture)".deb)
    if [ -f "${native[0]}" ]; then
        echo "contents: $deb against ${native[0]}"
        diff <(dpkg-deb -c "${native[0]}" | awk '{ print $6 }') <(dpkg-deb -c "$deb" | awk '{ print $6 }')
    fi
    scripts/smoke-emulated.sh "$deb"
fi
