#!/usr/bin/env bash
# Sets everything up and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
exec build/src/app/kite12-config "$@"
