#!/usr/bin/env bash
# Runs one fuzz target for a set time over its seeds and prints how many
# inputs it tried. Usage: run-fuzz-target.sh TARGET SCRATCH SEEDS SECONDS [RUNS]
# Fails on any finding (the sanitizer's report is printed).
set -euo pipefail
target="$1" scratch="$2" seeds="$3" seconds="$4" runs="${5:--1}"
mkdir -p "$scratch"
name="$(basename "$target")"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
"$target" "$scratch" "$seeds" -max_total_time="$seconds" -runs="$runs" -print_final_stats=1 \
    -artifact_prefix="$scratch/" >"$log" 2>&1 || status=$?
execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
if [ "$status" -ne 0 ]; then
    cat "$log"
    echo "$name: FINDING after ${execs:-?} executions (inputs in $scratch)"
    exit 1
fi
echo "$name: ${execs:-0} executions, no finding"
