#!/usr/bin/env bash
# Runs every benchmark program (native *_bench, and *_bench.exe of both
# Windows builds under wine) and prints their figures. Not part of make test.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
. "$ROOT/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
for b in "$BUILD"/native/bin/*_bench; do
    [ -x "$b" ] || continue
    echo "== native $(basename "$b")"
    "$b"
done
for arch in win32 win64; do
    if [ "$arch" = win32 ] && [ -n "${ZT_WINE64_ONLY:-}" ]; then
        echo "== win32: skipped, this machine's kernel cannot run 32-bit programs"
        continue
    fi
    for b in "$BUILD/$arch"/bin/*_bench.exe; do
        [ -f "$b" ] || continue
        echo "== $arch $(basename "$b")"
        (cd "$(dirname "$b")" && wine "$(basename "$b")" </dev/null)
    done
done
