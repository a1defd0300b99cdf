#!/usr/bin/env bash
# Sets everything up and starts the program; with --demo, starts it against
# the virtual tracker instead.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--demo" ]; then
    exec scripts/demo.sh
fi
scripts/setup.sh build
# Legacy /dev/ttyS* ports exist on most PCs, so only USB adapters count.
if ! compgen -G '/dev/ttyUSB*' >/dev/null && ! compgen -G '/dev/ttyACM*' >/dev/null; then
    echo "No USB serial device (/dev/ttyUSB*, /dev/ttyACM*) found: to try the program without a tracker, run ./run.sh --demo"
fi
exec build/src/app/kite12-config "$@"
