#!/usr/bin/env bash
# Static checks: src/'s layers hold (scripts/check-layers.py), every C++ file
# follows .clang-format, and clang-tidy (.clang-tidy) finds nothing in the
# project's own sources, tests and benchmarks.
# Usage: scripts/ci-lint.sh [build-folder]   (its compile_commands.json is used)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

scripts/install-packages.sh clang-format clang-tidy

python3 scripts/check-layers.py

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

[ -f "$build/compile_commands.json" ] || scripts/setup.sh "$build"
# Generated sources (moc, autogen) are not checked: only the files of the repository.
mapfile -t units < <(git ls-files '*.cpp' | sed "s#^#$PWD/#")
echo "clang-tidy: ${#units[@]} files"
# Clang cannot read g++'s precompiled headers: clang-tidy sees each file as it
# stands, so a missing include shows here even where the header hid it.
database="$(mktemp -d)"
trap 'rm -rf "$database"' EXIT
sed -E 's# -Winvalid-pch -include [^ ]*/cmake_pch\.hxx##g' "$build/compile_commands.json" \
    >"$database/compile_commands.json"
# The build may carry g++-only warning options that clang does not know.
run-clang-tidy -p "$database" -j "$(nproc)" -quiet -extra-arg=-Wno-unknown-warning-option "${units[@]}" >"$build/clang-tidy.log" 2>&1 || {
    sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E -A3 '(warning|error):' >&2
    echo "clang-tidy found problems (whole log: $build/clang-tidy.log)" >&2
    exit 1
}
echo "clang-tidy: clean"
