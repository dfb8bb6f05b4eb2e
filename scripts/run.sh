#!/usr/bin/env bash
# Starts what dist/win32 holds under wine, with a sample program whose window
# shows a shadow and opens a menu: on the user's display when there is one,
# otherwise on Xvfb with a compositor, leaving a screenshot in the build
# folder.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
had_display="${DISPLAY:-}"
. "$ROOT/scripts/wine-env.sh"
wine_env_loader
# The 32-bit folder is the reference; a machine that runs no 32-bit programs
# shows the 64-bit one.
ARCH=win32
[ -n "${ZT_WINE64_ONLY:-}" ] && ARCH=win64
DIST="$ROOT/dist/$ARCH"
SAMPLE="$BUILD/$ARCH/bin/sample_window.exe"

if [ -z "$had_display" ]; then
    trap wine_env_stop EXIT
fi
wine_env_start
if [ -z "$had_display" ]; then
    # Translucency shows only with a compositor on the display.
    xcompmgr >/dev/null 2>&1 &
fi

# A first start shows the effects a newcomer looks for: shadows are off until
# someone turns them on, so turn them on where no choice has been made yet.
ini="$WINEPREFIX/drive_c/windows/Zirvane.ini"
python3 - "$ini" <<'PY'
import re, sys
path = sys.argv[1]
try:
    text = open(path, encoding="latin-1", newline="").read()
except FileNotFoundError:
    text = ""
if not re.search(r"(?im)^\s*shadows\s*=", text):
    if not re.search(r"(?im)^\[global\]", text):
        text = text.rstrip("\r\n") + ("\r\n" if text else "") + "[GLOBAL]\r\n"
    text = re.sub(r"(?im)^(\[global\][^\r\n]*\r?\n)", r"\1Shadows=1\r\n", text, count=1)
    open(path, "w", encoding="latin-1", newline="").write(text)
PY

# Wine leaves the caption and frame of a managed window to the window
# manager; with none on the display (Xvfb) the sample would show without its
# caption bar. There wine manages the sample's window itself and draws its
# frame; where a window manager runs, it does that again.
sample_key='HKCU\Software\Wine\AppDefaults\sample_window.exe\X11 Driver'
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    wine reg delete "$sample_key" /v Managed /f >/dev/null 2>&1 || true
else
    wine reg add "$sample_key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
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
if [ -f "$SAMPLE" ]; then
    (wine "$SAMPLE" 160 180 menu >/dev/null 2>&1 &)
    started+=("a sample program")
fi
echo "run: started ${started[*]} from $DIST"

if [ -z "$had_display" ]; then
    sleep 8
    import -window root "$BUILD/run-shot.png"
    echo "run: no display; screenshot of the Xvfb screen: $BUILD/run-shot.png"
fi
