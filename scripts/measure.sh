#!/usr/bin/env bash
# Prints the figures of docs/PERFORMANCE.md on this machine.
# Usage: scripts/measure.sh [build-folder [other-build-folder]]
#   (default build; needs xvfb, xdotool, time and libxcb1-dev). With another build
#   folder, its window's start-up is timed too, run for run beside this one's.
# The window runs under its own Xvfb against the virtual tracker, from a program
# folder whose TrkComm.ini maps COM1 to the tracker and every other port to nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
beside="${2:-}"

for tool in Xvfb xdotool /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "measure: $tool is missing (apt-get install xvfb xdotool time)" >&2; exit 1; }
done

targets=(kite12-config kite12 kite12-sim receive_path_bench window_map_time)
if ! cmake --build "$build" --target help | grep window_map_time >/dev/null; then
    echo "measure: bench/window_map_time needs libxcb1-dev (apt-get install libxcb1-dev, then configure $build again)" >&2
    exit 1
fi
if cmake --build "$build" --target help | grep firmware_update_bench >/dev/null; then
    targets+=(firmware_update_bench)
fi
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}" >/dev/null
[ -z "$beside" ] || cmake --build "$beside" --parallel "$(nproc)" --target kite12-config >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/kite12-measure.XXXXXX")"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "== Machine"
echo "cores: $(nproc)"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "os: $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
echo "== Receive path: QT_QPA_PLATFORM=offscreen $build/bench/receive_path_bench"
QT_QPA_PLATFORM=offscreen "$build/bench/receive_path_bench"

if [ -x "$build/bench/firmware_update_bench" ]; then
    echo
    echo "== Firmware update: QT_QPA_PLATFORM=offscreen $build/bench/firmware_update_bench"
    QT_QPA_PLATFORM=offscreen "$build/bench/firmware_update_bench"
fi

# min, median and max of the numbers on standard input, one a line
spread() { sort -n | awk '{ a[NR] = $1 } END { printf "min %d  median %d  max %d\n", a[1], (a[int((NR + 1) / 2)] + a[int(NR / 2) + 1]) / 2, a[NR] }'; }
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

"$build/tools/sim/kite12-sim" --link "$work/cli-tracker" >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -e "$work/cli-tracker" ] && break; sleep 0.02; done
kite12() { XDG_DATA_HOME="$work/data" "$build/src/cli/kite12" --port "$work/cli-tracker" -q "$@"; }

# The end-to-end tests hold the window's read and write to their floors but print
# no times, so these are kite12's, from exec to exit.
echo
echo "== Read and write against the virtual tracker: kite12 read -o FILE, kite12 write FILE --all, 5 runs each (ms)"
for _ in $(seq 5); do
    t0=$(date +%s%N)
    kite12 read -o "$work/read.ini" >/dev/null
    ms_since "$t0"
done | spread | sed 's/^/read:         /'
for _ in $(seq 5); do
    t0=$(date +%s%N)
    kite12 write "$work/read.ini" --all >/dev/null
    ms_since "$t0"
done | spread | sed 's/^/write --all:  /'

echo
echo "== kite12: a one-field set against the virtual tracker, 10 runs (ms)"
for run in $(seq 10); do
    t0=$(date +%s%N)
    kite12 set "comment=run $run"
    ms_since "$t0"
done | spread

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# A program folder like the demo's; tracker options are given per run.
start_tracker() {
    "$build/tools/sim/kite12-sim" --link "$work/tracker" "$@" >/dev/null &
    pids+=($!)
    tracker_pid=$!
    for _ in $(seq 100); do [ -e "$work/tracker" ] && break; sleep 0.02; done
}
stop_tracker() {
    kill "$tracker_pid" 2>/dev/null || true
    wait "$tracker_pid" 2>/dev/null || true
    rm -f "$work/tracker"
}
mkdir -p "$work/program"
cp "$build/src/app/kite12-config" "$work/program/"
{
    printf '[TrkComm]\r\npar5=COM1\r\n[Ports]\r\nCOM1=%s\r\n' "$work/tracker"
    for n in $(seq 2 16); do printf 'COM%s=%s/absent\r\n' "$n" "$work"; done
} >"$work/program/TrkComm.ini"

window_id() { xdotool search --onlyvisible --name '^APRS Config$' 2>/dev/null | head -n1; }
wait_window() {
    for _ in $(seq 2000); do
        [ -n "$(window_id)" ] && return 0
        sleep 0.005
    done
    echo "measure: the window did not show" >&2
    return 1
}
cpu_ms() { # utime + stime of a process, in ms
    awk -v tick="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print ($12 + $13) * 1000 / tick }' "/proc/$1/stat"
}
click() { # a button by its place in the window
    xdotool mousemove --window "$(window_id)" "$1" "$2" click 1
}
stop_window() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

echo
echo "== Start-up: from exec to the window mapped on Xvfb, as the X server tells it, 9 runs (ms)"
if [ -n "$beside" ]; then
    mkdir -p "$work/beside"
    cp "$beside/src/app/kite12-config" "$work/program/TrkComm.ini" "$work/beside/"
fi
start_tracker
for _ in $(seq 9); do
    "$build/bench/window_map_time" "$work/program/kite12-config" >>"$work/startup" 2>/dev/null
    [ -z "$beside" ] || "$build/bench/window_map_time" "$work/beside/kite12-config" >>"$work/startup-beside" 2>/dev/null
done
spread <"$work/startup" | sed "s|^|$build: |"
[ -z "$beside" ] || spread <"$work/startup-beside" | sed "s|^|$beside: |"
stop_tracker

echo
echo "== CPU of the window: idle 10 s, then 10 s inside the read's handshake waits"
start_tracker --never-connect
"$work/program/kite12-config" &
pid=$!
wait_window
sleep 2
c0=$(cpu_ms "$pid"); sleep 10; c1=$(cpu_ms "$pid")
echo "idle:          $(awk -v a="$c0" -v b="$c1" 'BEGIN { printf "%.0f ms CPU in 10 s (%.2f %%)", b - a, (b - a) / 100 }')"
click 155 399 # Read data
sleep 1
c0=$(cpu_ms "$pid"); sleep 10; c1=$(cpu_ms "$pid")
echo "during Delay:  $(awk -v a="$c0" -v b="$c1" 'BEGIN { printf "%.0f ms CPU in 10 s (%.2f %%)", b - a, (b - a) / 100 }')"
stop_window "$pid"
stop_tracker

echo
echo "== Peak memory (/usr/bin/time -v): start, read from the virtual tracker, write, stop"
start_tracker
/usr/bin/time -v -o "$work/time.txt" "$work/program/kite12-config" &
time_pid=$!
wait_window
click 155 399 # Read data
sleep 4
click 155 427 # Write data
sleep 6
kill "$(pgrep -P "$time_pid")" || true
wait "$time_pid" 2>/dev/null || true
grep -E 'Maximum resident set size' "$work/time.txt" | sed 's/^\s*/kite12-config: /'
tracker_rss=$(awk '/VmHWM/ { print $2, $3 }' "/proc/$tracker_pid/status")
echo "kite12-sim: peak resident set size $tracker_rss (VmHWM)"
stop_tracker
