#!/usr/bin/env bash
# The update's fault campaign: RUNS firmware updates, each against a virtual
# tracker with one fault picked by its seed (SEED, SEED+1, ...), through
# `kite12 flash` with and without --keep-settings and through the window
# (offscreen). After a failure it follows only the program's own advice (the
# commands kite12 prints; the window's second press of update), then checks
# that the tracker runs the very image given and, with the settings kept,
# holds the settings it had. Prints the tally; exits 1 when a run ended
# unrecoverable.
# Usage: scripts/update-faults.sh RUNS SEED [build-folder]   (default build)
# The updates land in the update log of $XDG_DATA_HOME (kite12 flash --history).
set -uo pipefail
cd "$(dirname "$0")/.."
runs="${1:?give RUNS}"
seed="${2:?give SEED}"
build="$(realpath "${3:-build}")"
cli="$build/src/cli/kite12"
sim="$build/tools/sim/kite12-sim"
window="$build/tools/campaign/update-campaign-window"
work="$(mktemp -d)"
trap 'kill "$(cat "$work/sim.pid" 2>/dev/null)" 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

declare -A faults=()
recovered=0 advice=0 unrecoverable=0 windowRuns=0

# The quoted kite12 commands of an advice, one a line, in the order given.
advised() {
    grep -o '"kite12 --port [^"]*"' "$1" | tr -d '"'
}

start_tracker() {
    local run=$1
    printf 'CALLSIGN:CF%s-%s\nSTATUS:run %s\nINTERVAL:0%03d\nGPS:0\nSMART:2\n' \
        "$((run % 1000))" "$((run % 16))" "$run" "$((run % 900 + 60))" >"$work/tracker.txt"
    rm -f "$work/tty" "$work/received.bin" "$work/window.out"
    "$sim" --link "$work/tty" --settings "$work/tracker.txt" --fault-seed "$run" \
        --image-out "$work/received.bin" --log "$work/sim.log" >/dev/null 2>&1 &
    echo $! >"$work/sim.pid"
    for _ in $(seq 100); do [ -e "$work/tty" ] && return 0; sleep 0.05; done
    return 1
}

stop_tracker() {
    kill "$(cat "$work/sim.pid")" 2>/dev/null
    wait "$(cat "$work/sim.pid")" 2>/dev/null
}

# Runs kite12 with the arguments; on a failure follows each command its advice
# gives, and theirs, a few levels deep.
flash_following_advice() {
    local depth=$1
    shift
    "$cli" "$@" >"$work/out.$depth" 2>"$work/err.$depth" && return 0
    [ "$depth" -lt 4 ] || return 1
    local commands
    commands="$(advised "$work/err.$depth")"
    [ -n "$commands" ] || return 1
    while IFS= read -r command; do
        advice=$((advice + 1))
        # The tracker replugs itself half a second after an unplug, as a user
        # puts the cable back before following the advice.
        for _ in $(seq 100); do [ -e "$work/tty" ] && break; sleep 0.05; done
        eval "set -- ${command#kite12 }"
        flash_following_advice $((depth + 1)) "$@" || return 1
    done <<<"$commands"
}

# The tracker runs the image given, and holds `settings` when it is not empty.
tracker_holds() {
    local image=$1 settings=$2
    cmp -s "$image" "$work/received.bin" || return 1
    [ "$(grep -E '^# (firmware started|loader: waiting|power lost)' "$work/sim.log" | tail -1)" \
        = "# firmware started" ] || return 1
    [ -z "$settings" ] || [ "$("$cli" -q --port "$work/tty" read 2>/dev/null)" = "$settings" ]
}

for ((i = 0; i < runs; i++)); do
    run=$((seed + i))
    # 3 to 6 blocks keep a run short.
    head -c $((5000 + RANDOM % 7000)) /dev/urandom >"$work/fw$run.bin"
    start_tracker "$run" || { echo "run $run: no tracker" >&2; unrecoverable=$((unrecoverable + 1)); continue; }
    settings=""
    case $((i % 3)) in
    0)
        flash_following_advice 0 --port "$work/tty" flash "$work/fw$run.bin"
        ;;
    1)
        settings="$("$cli" -q --port "$work/tty" read 2>/dev/null)"
        flash_following_advice 0 --port "$work/tty" flash "$work/fw$run.bin" --keep-settings
        ;;
    2)
        windowRuns=$((windowRuns + 1))
        stop_tracker
        "$window" "$run" "$work/fw$run.bin" "$(((i / 3) % 2))" >"$work/window.out" 2>&1
        advice=$((advice + $(grep -c '^advice followed' "$work/window.out")))
        ;;
    esac
    if [ $((i % 3)) -eq 2 ]; then
        kind="$(sed -n 's/^fault: //p' "$work/window.out" | head -1)"
    else
        kind="$(sed -n 's/^# fault: \([a-z-]*\) .*/\1/p' "$work/sim.log" | head -1)"
    fi
    faults[${kind:-none}]=$((${faults[${kind:-none}]:-0} + 1))
    if { [ $((i % 3)) -eq 2 ] && grep -q '^recovered$' "$work/window.out"; } ||
        { [ $((i % 3)) -ne 2 ] && tracker_holds "$work/fw$run.bin" "$settings"; }; then
        recovered=$((recovered + 1))
    else
        unrecoverable=$((unrecoverable + 1))
        echo "run $run (${kind:-no fault}): unrecoverable" >&2
        cat "$work"/err.* "$work/window.out" 2>/dev/null | tail -20 >&2
    fi
    stop_tracker
    rm -f "$work"/err.* "$work"/out.* "$work/fw$run.bin" "$work"/fw"$run"-settings-*.ini
done

echo "runs: $runs (window: $windowRuns)"
for kind in "${!faults[@]}"; do echo "fault $kind: ${faults[$kind]}"; done | sort
echo "recovered: $recovered"
echo "advice followed: $advice"
echo "unrecoverable: $unrecoverable"
[ "$unrecoverable" -eq 0 ]
