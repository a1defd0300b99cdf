#!/usr/bin/env bash
# Fails when the block of docs/simulator.md after "<!-- kite12-sim --help -->"
# differs from what kite12-sim --help prints, so that the options told there
# cannot drift from the program's.
# Usage: scripts/check-sim-help.sh [build-folder]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

# Run by its name, so that the usage line does not carry the build folder.
help="$(PATH="$PWD/$build/tools/sim:$PATH" kite12-sim --help)"
block="$(sed -n '/^<!-- kite12-sim --help -->$/,/^```$/p' docs/simulator.md | sed '1,2d;$d')"
if [ "$help" != "$block" ]; then
    diff <(printf '%s\n' "$block") <(printf '%s\n' "$help") >&2 || true
    echo "docs/simulator.md: the kite12-sim --help block differs from the program's output (above)" >&2
    exit 1
fi
