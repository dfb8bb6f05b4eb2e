#!/usr/bin/env bash
# The installer under wine, as a user runs it: a silent install into a test
# folder puts every file, shortcut and registry value in place; the installed
# loader (with its 32-bit companion) and bar start; a silent uninstall unloads
# the loader and leaves nothing of ours behind.
# Needs the wine environment of scripts/wine-env.sh (WINEPREFIX, DISPLAY).
# Exit 77: no setup.exe to test (run `make package`).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SETUP="${1:-$ROOT/dist/setup.exe}"
DIST64="$ROOT/dist/win64"
[ -f "$SETUP" ] || { echo "no $SETUP: run make package"; exit 77; }
: "${WINEPREFIX:?run under scripts/run-tests.sh}"
if [ -n "${ZT_WINE64_ONLY:-}" ]; then
    # The shipped setup program is 32-bit; its 64-bit twin, built from the
    # same script and folders, stands in where 32-bit programs cannot run.
    SETUP="$(dirname "$SETUP")/../build/package/setup-amd64.exe"
    [ -f "$SETUP" ] || { echo "no 64-bit test installer: run make package"; exit 77; }
    echo "32-bit programs do not run here: testing the 64-bit build of the installer"
fi

# No blank in the folder: wine quotes such an argument, and NSIS takes /D=
# only unquoted.
WIN_DIR='C:\ZtPackageTest\ZirvaneTessel'
UNIX_DIR="$WINEPREFIX/drive_c/ZtPackageTest/ZirvaneTessel"
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zirvane and Tessel"
WINDOWS="$WINEPREFIX/drive_c/windows"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZirvaneTessel'
failures=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
# A program running in this test's prefix (wine's tasklist lists nothing),
# by the name in its command line; other prefixes' programs are not looked at.
in_prefix() {
    local p
    for p in /proc/[0-9]*; do
        tr '\0' '\n' 2>/dev/null < "$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        tr '\0' ' ' 2>/dev/null < "$p/cmdline" | grep -qiF "$1" && return 0
    done
    return 1
}
not_in_prefix() { ! in_prefix "$1"; }
alive() { kill -0 "$1" 2>/dev/null; }
# The 64-bit view, where the installer writes on 64-bit Windows: plain
# `wine reg` is the 32-bit reg.exe where 32-bit programs run.
reg_value() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
wait_until() { # seconds, command...
    local n=$(( $1 * 10 ))
    shift
    for _ in $(seq 1 $n); do "$@" && return 0; sleep 0.1; done
    return 1
}
started_pids=()
cleanup() {
    local p
    for p in "${started_pids[@]}"; do kill "$p" 2>/dev/null; done
    # An install this run could not take back must not start with every
    # later session of the prefix.
    if [ -n "$(reg_value "$RUN_KEY" Zirvane | grep -F 'ZtPackageTest')" ]; then
        wine reg delete "$RUN_KEY" /v Zirvane /f /reg:64 >/dev/null 2>&1
    fi
    wine reg delete "$UNINSTALL_KEY" /f /reg:64 >/dev/null 2>&1
    rm -rf "$WINEPREFIX/drive_c/ZtPackageTest"
}
trap cleanup EXIT

# Settings files of earlier tests would hide whether the installer makes them.
saved=$(mktemp -d)
for f in Zirvane.ini Zirvane2.ini; do
    [ -f "$WINDOWS/$f" ] && mv "$WINDOWS/$f" "$saved/"
done
restore() {
    for f in Zirvane.ini Zirvane2.ini; do
        [ -f "$saved/$f" ] && mv "$saved/$f" "$WINDOWS/$f"
    done
    rm -rf "$saved"
    cleanup
}
trap restore EXIT

# /D must come last and unquoted.
wine "$SETUP" /S /AUTOSTART "/D=$WIN_DIR" >/dev/null 2>&1
echo "installed into $WIN_DIR (exit $?)"

missing=0
while IFS= read -r f; do
    [ -f "$UNIX_DIR/$f" ] || { echo "  missing: $f"; missing=$((missing + 1)); }
done < <(cd "$DIST64" && find . -type f | sed 's|^\./||')
check "every file of dist/win64 installed (x86 companion included)" test "$missing" -eq 0
check "uninstaller in place" test -f "$UNIX_DIR/uninstall.exe"
for l in Zirvane Tessel "Uninstall Zirvane and Tessel"; do
    check "Start-menu shortcut $l" test -f "$MENU/$l.lnk"
done
if [ -f "$DIST64/tesseldes.exe" ]; then
    check "Start-menu shortcut of the designer" test -f "$MENU/Tessel Skin Designer.lnk"
fi
check "Run value names the installed loader" test "$(reg_value "$RUN_KEY" Zirvane)" = "$WIN_DIR\\zrvload.exe"
check "both settings files created" test -f "$WINDOWS/Zirvane.ini" -a -f "$WINDOWS/Zirvane2.ini"
check "install folder recorded for the Startup page" grep -qiF "DIR=$WIN_DIR" "$WINDOWS/Zirvane.ini"
check "listed among installed programs" test -n "$(reg_value "$UNINSTALL_KEY" DisplayVersion)"

# The bar's own files are opened to the Users group by the installer (icacls
# /grant). Wine's icacls is a stub that changes nothing and wine enforces no
# file permissions, so the grant itself cannot be seen here; what can be seen
# is that the three are in place and that a user's save of them (a new file
# put in place of the old) is still removed by the uninstaller.
for f in programs.prg tessel.tsi; do
    check "installed $f in place for users to change" test -f "$UNIX_DIR/$f"
done
check "installed Skins folder in place" test -d "$UNIX_DIR/Skins"
cp "$UNIX_DIR/programs.prg" "$UNIX_DIR/programs.saved" &&
    mv -f "$UNIX_DIR/programs.saved" "$UNIX_DIR/programs.prg"

# The installed programs start: the loader binds its library (only then does
# it start its companion) and the bar stays up.
cd "$UNIX_DIR"
setsid wine "$WIN_DIR\\zrvload.exe" </dev/null >/dev/null 2>&1 &
loader_pid=$!
setsid wine "$WIN_DIR\\tessel.exe" </dev/null >/dev/null 2>&1 &
bar_pid=$!
cd "$ROOT"
started_pids+=("$loader_pid" "$bar_pid")
check "installed loader starts" wait_until 15 in_prefix zrvload.exe
if [ -z "${ZT_WINE64_ONLY:-}" ]; then
    check "installed loader starts its 32-bit companion" wait_until 15 in_prefix zrvload32.exe
fi
check "installed bar starts" wait_until 15 in_prefix tessel.exe
sleep 2
check "loader still running" alive "$loader_pid"
check "bar still running" alive "$bar_pid"
kill "$bar_pid" 2>/dev/null
wait_until 10 not_in_prefix tessel.exe

# The uninstaller copies itself away and returns at once: wait for its work.
wine "$UNIX_DIR/uninstall.exe" /S >/dev/null 2>&1
check "uninstall unloads the loader and its companion" wait_until 20 eval 'not_in_prefix zrvload.exe && not_in_prefix zrvload32.exe'
check "the loader ended by itself" wait_until 5 eval '! alive $loader_pid'
# A library still mapped by a program that ran its hooks cannot be deleted
# (wine keeps hook libraries mapped); the uninstaller then has it removed at
# the next restart, as Windows installers do. Anything else left is a fault.
left_unscheduled() {
    [ -e "$UNIX_DIR" ] || return 1
    local pending f
    pending=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
        /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
    while IFS= read -r f; do
        local win="$WIN_DIR\\${f//\//\\}"
        echo "  left: $f"
        grep -qiF "$win" <<<"$pending" || return 0
    done < <(cd "$UNIX_DIR" && find . -type f | sed 's|^\./||')
    return 1
}
wait_until 20 test ! -e "$UNIX_DIR"
check "install folder removed, or only libraries in use left for the next restart" eval '! left_unscheduled'
check "Start-menu folder removed" wait_until 10 test ! -e "$MENU"
check "Run value removed" test -z "$(reg_value "$RUN_KEY" Zirvane)"
check "settings files removed" test ! -e "$WINDOWS/Zirvane.ini" -a ! -e "$WINDOWS/Zirvane2.ini"
check "no longer listed among installed programs" test -z "$(reg_value "$UNINSTALL_KEY" DisplayVersion)"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
