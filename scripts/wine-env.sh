# Sourced by the test and run scripts. Sets up one WoW64 wine prefix under the
# build folder (never ~/.wine), a display, and one wineserver kept alive for
# the whole run; wine_env_stop tears down what was started here.
#
# Needs: BUILD (absolute build folder).

export WINEPREFIX="$BUILD/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# A crash must end the program, not open the debugger and hang the test.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
unset WINELOADERNOEXEC

_started_xvfb=""
_started_wineserver=""
_started_pulse=""

# On a kernel that cannot run 32-bit Linux programs, Debian's wine scripts
# still pick the 32-bit loader and every start fails with "Exec format
# error". There the 64-bit loader is used directly (wineboot and the other
# tools reach it through wine-stable); 64-bit Windows programs then run, and
# 32-bit ones cannot run at all: ZT_WINE64_ONLY tells the tests so.
wine_env_loader() {
    if [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] &&
        ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        local dir="$BUILD/wine64-only"
        mkdir -p "$dir"
        local n
        for n in wine wine-stable; do
            printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
                > "$dir/$n"
            chmod +x "$dir/$n"
        done
        case ":$PATH:" in *":$dir:"*) ;; *) export PATH="$dir:$PATH" ;; esac
        export ZT_WINE64_ONLY=1
        echo "wine-env: 32-bit programs cannot run on this machine; using the 64-bit wine loader only" >&2
    fi
}

wine_env_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${ZT_FORCE_XVFB:-}" ]; then
        return 0
    fi
    local n
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            _started_xvfb=$!
            export DISPLAY=":$n"
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            return 0
        fi
    done
    echo "wine-env: no free display number for Xvfb" >&2
    return 1
}

wine_env_prefix() {
    mkdir -p "$BUILD"
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
        rm -rf "$WINEPREFIX"
        echo "wine-env: creating prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        # No crash dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
        wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
        wineserver -w
    fi
}

# Without a window manager, Wine waits up to 2 s for one each time a managed
# top-level window (a dialog, a property sheet) is hidden or destroyed. The
# test programs named here open and close many dialogs: their windows are
# unmanaged (Wine draws the frames either way), the rest keep the default.
ZT_UNMANAGED_PROGRAMS="loader_pages_tests.exe tessel.exe tesseldes.exe"
wine_env_unmanaged() {
    local exe
    for exe in $ZT_UNMANAGED_PROGRAMS; do
        if ! grep -qi "AppDefaults\\\\\\\\$exe\\\\\\\\X11 Driver" "$WINEPREFIX/user.reg" 2>/dev/null; then
            wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ /d N /f \
                >/dev/null 2>&1 || true
        fi
    done
}

# The player's tests listen to what the bar plays. A machine without an audio
# server gets PulseAudio in user mode with one null sink, whose monitor the
# tests record; its runtime folder is under the build folder, and programs
# under wine find the server through the same XDG_RUNTIME_DIR.
wine_env_sound() {
    command -v pulseaudio >/dev/null 2>&1 || return 0
    if command -v pactl >/dev/null 2>&1 && pactl info >/dev/null 2>&1; then
        return 0
    fi
    export XDG_RUNTIME_DIR="$BUILD/pulse"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    if pactl info >/dev/null 2>&1; then
        _started_pulse=1 # ours, left from a run that was cut short
        return 0
    fi
    HOME="$XDG_RUNTIME_DIR" pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
        --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
        --log-target=file:"$XDG_RUNTIME_DIR/log" >/dev/null 2>&1 || {
        echo "wine-env: pulseaudio did not start; the sound tests will skip" >&2
        return 0
    }
    _started_pulse=1
    local i
    for i in $(seq 1 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
}

# True when a program whose command line matches the extended regular
# expression runs in this prefix (wine's tasklist lists nothing); programs of
# other prefixes are not looked at.
wine_env_running() {
    local p
    for p in /proc/[0-9]*; do
        tr '\0' '\n' 2>/dev/null < "$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        tr '\0' ' ' 2>/dev/null < "$p/cmdline" | grep -qiE "$1" && return 0
    done
    return 1
}

# A test program killed half-way leaves its own settings files in the
# Windows folder, with what it set aside beside them ("NAME.testsave", or the
# mark "NAME.testnone" when there was none; tests/support/win/test_support.h).
# Puts the set-aside files back, unless a test or benchmark runs in the prefix
# now. Files without such a mark are the user's and are left as they are.
wine_env_restore_settings() {
    local win="$WINEPREFIX/drive_c/windows" f
    wine_env_running '_tests\.exe|_bench\.exe|_soak\.exe' && return 0
    for f in Zirvane.ini Zirvane2.ini; do
        if [ -e "$win/$f.testsave" ]; then
            mv -f "$win/$f.testsave" "$win/$f"
            rm -f "$win/$f.testnone"
            echo "wine-env: put back the $f that a test cut short had set aside"
        elif [ -e "$win/$f.testnone" ]; then
            rm -f "$win/$f" "$win/$f.testnone"
            echo "wine-env: removed the $f that a test cut short had left"
        fi
    done
}

# An installer test killed half-way (a time limit) leaves the product
# installed in the prefix with its autostart value: every later session would
# start that loader, and its hooks would reach every test program. Taken away
# before anything of the prefix starts.
wine_env_drop_test_install() {
    grep -q 'ZtPackageTest' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" 2>/dev/null || return 0
    echo "wine-env: removing an installer test's leftovers from the prefix" >&2
    wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Zirvane /f /reg:64 \
        >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZirvaneTessel' /f \
        /reg:64 >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX/drive_c/ZtPackageTest"
}

wine_env_start() {
    wine_env_loader
    wine_env_sound
    wine_env_display
    wine_env_prefix
    # Settings a test cut short left behind would hold the sample of make run
    # in its fade, say, and be taken by the next test for the user's own.
    wine_env_restore_settings
    # One persistent wineserver: each program start then costs about a second.
    wineserver -p >/dev/null 2>&1 || true
    _started_wineserver=1
    wine_env_unmanaged
    wine_env_drop_test_install
    # Start the prefix's services and the desktop process here, with no
    # terminal attached: otherwise the first test program starts them and they
    # keep its output pipe open, and ctest waits on it forever.
    wineboot </dev/null >/dev/null 2>&1 || true
    # (A second one, where the desktop already runs, just ends.)
    (setsid wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &)
    sleep 1
}

wine_env_stop() {
    if [ -n "$_started_pulse" ]; then
        pactl exit >/dev/null 2>&1 || true
        _started_pulse=""
    fi
    if [ -n "$_started_wineserver" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
        _started_wineserver=""
    fi
    if [ -n "$_started_xvfb" ]; then
        kill "$_started_xvfb" 2>/dev/null || true
        wait "$_started_xvfb" 2>/dev/null || true
        _started_xvfb=""
    fi
}
