#!/usr/bin/env bash
# Builds the Debian package and runs Debian's checkers on it: lintian (no error,
# no warning), appstreamcli on the AppStream metadata and desktop-file-validate
# on the menu entry, both as the package installs them. Fails when any of them
# finds something.
# Usage: scripts/check-package.sh [build-folder]   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-package}"

scripts/install-packages.sh lintian appstream desktop-file-utils
scripts/package.sh "$build"
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
