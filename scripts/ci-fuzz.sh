#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for about a minute on a
# copy of its seed corpus. A crash, a leak, a hang or a broken check fails.
# Usage: scripts/ci-fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
seconds="${1:-60}"
targets=(fuzz_receive_path fuzz_settings_file fuzz_port_settings_ini fuzz_map_position
    fuzz_operator_list)

scripts/install-packages.sh cmake python3 xastir-data mobile-broadband-provider-info clang libclang-rt-14-dev llvm qt6-base-dev qt6-serialport-dev libgl-dev

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKITE12_FUZZ=ON -DKITE12_WERROR="${KITE12_WERROR:-OFF}"
cmake --build "$build" --parallel 2 --target "${targets[@]}"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
run="$build/fuzz-run"
rm -rf "$run"
status=0
for target in "${targets[@]}"; do
    corpus="$run/$target/corpus"
    mkdir -p "$corpus" "$run/$target/artifacts"
    cp tests/fuzz/corpus/"$target"/* "$corpus"/
    log="$run/$target/fuzz.log"
    set +e
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$run/$target/artifacts/" "$corpus" >"$log" 2>&1
    code=$?
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    files=$(find "$corpus" -type f | wc -l)
    bytes=$(du -sb "$corpus" | cut -f1)
    if [ "$code" -eq 0 ]; then
        echo "$target: ${runs:-?} executions, corpus $files files ($bytes bytes)"
    else
        status=1
        echo "$target: FAILED (exit $code) after ${runs:-?} executions; artifacts in $run/$target/artifacts"
        tail -n 60 "$log"
    fi
done
exit "$status"
