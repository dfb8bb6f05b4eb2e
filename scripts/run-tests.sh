#!/usr/bin/env bash
# Runs every test of the three builds (native, win32, win64) as one ctest run.
# Extra arguments go to ctest (for example -R win32.hook_entry_tests).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
. "$ROOT/scripts/wine-env.sh"
trap wine_env_stop EXIT

wine_env_start

# One ctest run over the three build folders, so there is one summary line.
cat > "$BUILD/CTestTestfile.cmake" <<CT
subdirs("native" "win32" "win64")
CT
cd "$BUILD"
ctest --output-on-failure -j2 --timeout 600 "$@"
