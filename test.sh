#!/usr/bin/env bash
# Sets everything up and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
export QT_QPA_PLATFORM=offscreen
# Under the sanitizers (KITE12_SANITIZE=ON), a report names where it came from.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
# Most tests wait on the virtual tracker rather than compute: three at a time per core.
ctest --test-dir build --output-on-failure --parallel "$(($(nproc) * 3))" --timeout 600 --no-tests=error
