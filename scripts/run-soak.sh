#!/usr/bin/env bash
# The long soak of the effects library (not part of the test run): four
# threads of 2500 windows each with every effect on while a second process
# changes the settings every 200 ms; the shipped library is unbound half-way
# (it must leave the process) and bound again; both architectures. Prints
# figures. The first argument sets the windows per thread, the second how
# many times the library is unbound and bound again (once, half-way, unless
# told). ZT_SOAK_ARCHES picks the architectures ("win32 win64" unless set).
#
#   scripts/run-soak.sh real [SECONDS] [control]
# Wine's own programs (notepad, wordpad, regedit, winemine, winecfg, control
# panel, each in both bitnesses the system has) under the installed loader of
# dist/win64 with every effect on, driven by real mouse and keyboard input for
# SECONDS (1800 unless told); the settings change every 3 s and the loader is
# unloaded and loaded again half-way. Needs `make dist` first. "control" runs
# the same programs and input without the loader, so that what their handles
# do on their own can be told from what the library does.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
. "$ROOT/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
if [ "${1:-}" = real ]; then
    dist="$ROOT/dist/win64"
    if [ ! -f "$dist/zrvload.exe" ]; then
        echo "no $dist/zrvload.exe: run make dist first" >&2
        exit 2
    fi
    cd "$BUILD/win64/bin"
    # Not exec: the trap must still stop what wine_env_start started.
    wine real_programs_soak.exe "$(winepath -w "$dist")" "${2:-1800}" ${3:+"$3"} </dev/null
    exit $?
fi
status=0
for arch in ${ZT_SOAK_ARCHES:-win32 win64}; do
    echo "== $arch"
    if [ "$arch" = win32 ] && [ -n "${ZT_WINE64_ONLY:-}" ]; then
        echo "skipped: this machine's kernel cannot run 32-bit programs"
        continue
    fi
    (cd "$BUILD/$arch/bin" && wine zrv_effects_soak.exe "${1:-2500}" "${2:-1}") || status=1
done
exit $status
