#!/usr/bin/env bash
# Starts what dist/win32 holds under wine: on the user's display when there is
# one, otherwise on Xvfb, leaving a screenshot in the build folder.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
DIST="$ROOT/dist/win32"
had_display="${DISPLAY:-}"
. "$ROOT/scripts/wine-env.sh"

if [ -z "$had_display" ]; then
    trap wine_env_stop EXIT
fi
wine_env_start
if [ -z "$had_display" ]; then
    xcompmgr >/dev/null 2>&1 &
fi

started=()
for exe in zrvload.exe tessel.exe; do
    if [ -f "$DIST/$exe" ]; then
        (cd "$DIST" && wine "$exe" >/dev/null 2>&1 &)
        started+=("$exe")
        sleep 2
    fi
done
if [ ${#started[@]} -eq 0 ]; then
    echo "run: nothing to start in $DIST"
    exit 0
fi
echo "run: started ${started[*]} from $DIST"

if [ -z "$had_display" ]; then
    sleep 6
    import -window root "$BUILD/run-shot.png"
    echo "run: no display; screenshot of the Xvfb screen: $BUILD/run-shot.png"
fi
