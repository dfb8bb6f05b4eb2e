#!/usr/bin/env bash
# Screenshots of every page and dialog of zrvload.exe from dist/ (one
# architecture, win32 by default) under Xvfb, into build/shots/<arch>/.
# Usage: scripts/loader-shots.sh [win32|win64]   (after make dist)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
ARCH="${1:-win32}"
BUILD="${BUILD:-$ROOT/build}"
DIST="$ROOT/dist/$ARCH"
DRIVER="$BUILD/$ARCH/bin/loader_shot_driver.exe"
OUT="$BUILD/shots/$ARCH"
mkdir -p "$OUT"
export ZT_FORCE_XVFB=1
. "$ROOT/scripts/wine-env.sh"
loader_pid=""
cleanup() {
    wine "$DRIVER" loader 32772 >/dev/null 2>&1 || true
    sleep 1
    [ -n "$loader_pid" ] && kill "$loader_pid" 2>/dev/null || true
    wine_env_stop
}
trap cleanup EXIT
wine_env_start

drive() { wine "$DRIVER" "$@" </dev/null 2>/dev/null; }
# shot NAME WINDOW-TITLE: the window's area of the screen, with a margin.
shot() {
    sleep "${PAUSE:-1}"
    local geo
    geo=$(drive rect "$2" | tr -d '\r') || { echo "shots: no window '$2' for $1" >&2; return 0; }
    import -window root "$OUT/full.png"
    convert "$OUT/full.png" -crop "$geo" +repage -bordercolor '#808080' -border 6 "$OUT/$1.png"
    echo "$OUT/$1.png"
}

win=$(wine cmd /c echo %windir% 2>/dev/null | tr -d '\r')
windir=$(winepath -u "$win" 2>/dev/null)
printf '[notepad.exe]\r\nTrans=180\r\n[calc.exe]\r\nTrans=120\r\n[Global]\r\nTrans=200\r\n' > "$windir/Zirvane2.ini"

# A copy without zrv.dll shows the missing-library box.
tmp="$windir/temp/zrvshots"
mkdir -p "$tmp"
cp "$DIST/zrvload.exe" "$tmp/"
(cd "$tmp" && wine zrvload.exe </dev/null >/dev/null 2>&1 &)
sleep 3
shot missing "Missing zrv.dll"
drive answer "Missing zrv.dll" 1 || true
sleep 2
drive loader 32772 || true
sleep 2
rm -rf "$tmp"

(cd "$DIST" && wine zrvload.exe </dev/null >/dev/null 2>&1 &)
sleep 4
drive tray 0x205 || true
shot tray-menu "#32768"
drive escape x || true
sleep 1
drive loader 1002 || true
sleep 2
names=(about animations menus dragging maximize icons transparency startup shadows)
for i in "${!names[@]}"; do
    drive tab "$i"
    shot "page$((i+1))-${names[$i]}" "Zirvane Properties"
    case "${names[$i]}" in
    shadows)
        drive click 1000 || true
        shot dialog-shadow-settings "Modify shadow settings"
        drive cancel "Modify shadow settings" || true ;;
    transparency)
        drive click 1000 || true
        shot dialog-add "Set per application semi transparency"
        drive cancel "Set per application semi transparency" || true
        sleep 1
        drive select 1015 notepad.exe || true
        drive click 1002 || true
        shot dialog-modify "Modify per application transparency"
        drive cancel "Modify per application transparency" || true ;;
    startup)
        drive click 1010 || true
        shot box-autostart "Getting Zirvane to start automatically"
        drive answer "Getting Zirvane to start automatically" 7 || true ;;
    esac
    sleep 0.5
done
drive cancel "Zirvane Properties" || true
sleep 3
rm -f "$OUT/full.png" "$windir/Zirvane2.ini"
echo "shots in $OUT"
