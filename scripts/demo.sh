#!/usr/bin/env bash
# Starts the window against the virtual tracker, for a try without a tracker.
# Usage: scripts/demo.sh [build-folder]   (default build)
# The window runs from a program folder of its own, so the TrkComm.ini beside
# the real program keeps no trace of the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "demo: no display (DISPLAY and WAYLAND_DISPLAY are unset): start it from a desktop session, or under xvfb-run" >&2
    exit 1
fi

scripts/setup.sh "$build" kite12-config kite12-sim

demo="$(mktemp -d "${TMPDIR:-/tmp}/kite12-demo.XXXXXX")"
sim_pid=""
window_pid=""
cleanup() {
    [ -z "$window_pid" ] || kill "$window_pid" 2>/dev/null || true
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$demo"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

"$build/tools/sim/kite12-sim" --link "$demo/tracker" >"$demo/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do
    [ -e "$demo/tracker" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$demo/sim.out" >&2; exit 1; }
    sleep 0.05
done
[ -e "$demo/tracker" ] || { echo "demo: the virtual tracker did not start" >&2; exit 1; }

# The program's folder is where its binary lies, so the demo runs a copy.
cp "$build/src/app/kite12-config" "$demo/"
printf '[TrkComm]\r\npar5=COM1\r\n[Ports]\r\nCOM1=%s\r\n' "$demo/tracker" >"$demo/TrkComm.ini"
echo "demo: COM1 is a virtual tracker ($demo/tracker); press Read data, then Write data"
# In the background, so that a signal to this script ends the demo at once.
"$demo/kite12-config" &
window_pid=$!
wait "$window_pid"
