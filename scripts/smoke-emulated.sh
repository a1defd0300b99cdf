#!/usr/bin/env bash
# Runs a cross-built package's programs under qemu-user against this machine's
# virtual tracker on a pseudo-terminal: kite12 reads, writes a changed field and
# reads it back, updates the firmware with the settings kept, and the window
# starts offscreen and keeps running. Fails on the first step that does not.
# Usage: scripts/smoke-emulated.sh DEB [KITE12_SIM]
#   KITE12_SIM  this machine's kite12-sim (default build-package/tools/sim/kite12-sim)
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$(realpath "$1")"
sim="${2:-build-package/tools/sim/kite12-sim}"
[ -x "$sim" ] || { echo "smoke-emulated: no kite12-sim at $sim (scripts/package.sh builds it)" >&2; exit 1; }
arch="$(dpkg-deb -f "$deb" Architecture)"
case "$arch" in
    arm64) qemu=qemu-aarch64-static ;;
    *) echo "smoke-emulated: no emulator known for $arch" >&2; exit 1 ;;
esac

work="$(mktemp -d "${TMPDIR:-/tmp}/kite12-smoke.XXXXXX")"
# The tracker and the window run in the background: they end with the script.
trap 'kill $(jobs -p) 2>/dev/null || true; wait || true; rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
readelf -h "$work/root/usr/bin/kite12" | grep -q 'AArch64' \
    || { echo "smoke-emulated: $deb holds no arm64 kite12" >&2; exit 1; }

"$sim" --link "$work/tracker" --image-out "$work/received.bin" >/dev/null &
for _ in $(seq 250); do [ -e "$work/tracker" ] && break; sleep 0.02; done
step() { echo "smoke-emulated ($arch): $*"; }
kite12() { XDG_DATA_HOME="$work/data" "$qemu" "$work/root/usr/bin/kite12" --port "$work/tracker" -q "$@"; }

step "kite12 read"
kite12 read -o "$work/read.ini" >/dev/null
grep -q '^CALLSIGN:' "$work/read.ini"
step "kite12 set callsign=AB1CD ssid=7, then read"
kite12 set callsign=AB1CD ssid=7 --verify
kite12 read -o "$work/after.ini" >/dev/null
grep -q '^CALLSIGN:AB1CD-7' "$work/after.ini"
step "kite12 write of the first read"
kite12 write "$work/read.ini" --verify
step "kite12 flash --keep-settings"
head -c 8000 /dev/urandom >"$work/firmware.bin"
kite12 flash "$work/firmware.bin" --keep-settings
cmp "$work/firmware.bin" "$work/received.bin"

step "the window, offscreen, for 5 s"
# Qt's plugin log tells that the window got as far as its platform and pictures.
QT_DEBUG_PLUGINS=1 QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" \
    "$qemu" "$work/root/usr/bin/kite12-config" >"$work/window.log" 2>&1 &
window=$!
sleep 5
if ! kill -0 "$window" 2>/dev/null || ! grep -q 'libqoffscreen.so" loaded library' "$work/window.log"; then
    tail -n 20 "$work/window.log" >&2
    echo "smoke-emulated: the window did not start, or ended" >&2
    exit 1
fi
step "passed"
