#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for FUZZ_SECONDS each (default 60), or
# until FUZZ_RUNS executions when that is set, and prints the counts.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:--1}"
failed=0
for target in "$BUILD"/fuzz/bin/fuzz_*; do
    name="$(basename "$target")"
    "$ROOT/scripts/run-fuzz-target.sh" "$target" "$BUILD/fuzz/scratch/$name" \
        "$ROOT/fuzz/corpus/$name" "$seconds" "$runs" || failed=1
done
exit $failed
