#!/usr/bin/env bash
# Runs one cross-built test program on a desktop of two monitors:
#   monitors-test.sh ARCH LAYOUT PREFIX COMMAND...
# LAYOUT names an X configuration beside this script (xorg-two-monitors.conf:
# the second monitor right of the primary; xorg-two-monitors-left.conf: left
# of it, at negative coordinates). Xvfb cannot give wine two monitors, so an
# Xorg server with the dummy driver is started on a free display for this one
# program and stopped after it, with a wineserver of PREFIX of its own. Wine
# reads the monitors anew at each wineserver start, so one prefix serves both
# layouts. Needs root (Xorg); elsewhere the program is reported as skipped.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
arch="$1" layout="$2" prefix="$3"
shift 3

skip() {
    echo "skipped: $*"
    exit 77
}
if [ "$arch" = win32 ] && [ -n "${ZT_WINE64_ONLY:-}" ]; then
    skip "this machine's kernel cannot run 32-bit programs, so 32-bit wine cannot start"
fi
command -v Xorg >/dev/null 2>&1 || skip "no Xorg (packages xserver-xorg-core xserver-xorg-video-dummy)"
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || skip "no dummy video driver (xserver-xorg-video-dummy)"
[ "$(id -u)" = 0 ] || skip "Xorg with the dummy driver starts only as root here"

BUILD="$(dirname "$prefix")"
. "$HERE/wine-env.sh"
export WINEPREFIX="$prefix"

xorg_pid=""
stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if [ -n "$xorg_pid" ]; then
        kill "$xorg_pid" 2>/dev/null || true
        wait "$xorg_pid" 2>/dev/null || true
    fi
}
trap stop EXIT

# A display number no other server (or session) holds; a server that loses
# the race for a number ends at once and the next number is tried.
for n in $(seq 160 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xorg ":$n" -config "$HERE/$layout" -noreset -nolisten tcp -logfile "$BUILD/xorg-$n.log" \
        >/dev/null 2>&1 &
    xorg_pid=$!
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$xorg_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xorg_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        break
    fi
    wait "$xorg_pid" 2>/dev/null
    xorg_pid=""
done
if [ -z "$xorg_pid" ]; then
    echo "monitors-test: no Xorg with two monitors could start; the last log:" >&2
    tail -20 "$(ls -t "$BUILD"/xorg-*.log 2>/dev/null | head -1)" >&2 2>/dev/null || true
    exit 1
fi

# The prefix is made while the server runs (wine takes the monitors from it).
wine_env_prefix
# The loader's sheet is opened and closed here too: without a window manager
# each close of a managed window would cost wine's two-second wait.
ZT_UNMANAGED_PROGRAMS="$ZT_UNMANAGED_PROGRAMS zrvload.exe"
wine_env_unmanaged
# Tests set the DPI for the programs they start; one cut short may have left
# its value behind.
if grep -qi '"LogPixels"=dword:' "$WINEPREFIX/user.reg" 2>/dev/null &&
    ! grep -qi '"LogPixels"=dword:00000060' "$WINEPREFIX/user.reg"; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
fi
# Services and the desktop process start here, detached, so that they do not
# hold the test's output open (as in wine-env.sh).
wineboot </dev/null >/dev/null 2>&1 || true
(setsid wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &)
"$@"
