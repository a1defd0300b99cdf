#!/usr/bin/env bash
# Sets everything up and starts the program. Without a USB serial device, or
# with --demo, starts it against the virtual tracker instead; --no-demo never does.
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
--demo) exec scripts/demo.sh ;;
--no-demo) shift ;;
*)
    # Legacy /dev/ttyS* ports exist on most PCs, so only USB adapters count.
    if ! compgen -G '/dev/ttyUSB*' >/dev/null && ! compgen -G '/dev/ttyACM*' >/dev/null; then
        echo "No USB serial device (/dev/ttyUSB*, /dev/ttyACM*): starting the demo with a virtual tracker (./run.sh --no-demo starts the program alone)."
        exec scripts/demo.sh
    fi
    ;;
esac
scripts/setup.sh build kite12-config kite12-sim
exec build/src/app/kite12-config "$@"
