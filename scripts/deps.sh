#!/usr/bin/env bash
# Installs what the build and the tests need on Debian, when run as root.
# Quick and silent when everything is already there.
set -euo pipefail

need_pkgs=(cmake make g++ libgtest-dev googletest libbenchmark-dev
           mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
           wine wine64 wine32:i386 xvfb xcompmgr imagemagick x11-utils python3
           pulseaudio pulseaudio-utils lame nsis zip clang libclang-rt-14-dev
           xserver-xorg-core xserver-xorg-video-dummy
           libxrandr2:i386 libxrender1:i386 libxinerama1:i386)
# The last two lines: a desktop of two monitors for wine (Xvfb cannot give
# wine two); 32-bit wine reads the monitors through the i386 RandR library,
# which libwine:i386 only recommends.

missing=()
for p in "${need_pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps: missing ${missing[*]}"
if [ "$(id -u)" != 0 ]; then
    echo "deps: run 'make test' as root (or install the packages above) first" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
# A mirror in the middle of a sync can fail one index (seen: the i386 security
# list); try again, then go on with what was fetched: the install below fails
# clearly if a package really cannot be had.
for try in 1 2 3; do
    apt-get update -qq && break
    echo "deps: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
done
# When the i386 security list could not be fetched, a library that both
# architectures need can have a newer amd64 candidate than the i386 one, and
# multiarch refuses the pair. Pin each such pair to the i386 candidate, a few
# rounds, since a pin can bring the next conflict to light.
pins=()
for round in 1 2 3 4 5 6; do
    if out=$(apt-get install -y -q --no-install-recommends "${missing[@]}" "${pins[@]}" 2>&1); then
        echo "deps: installed${pins:+ (pinned ${pins[*]})}"
        exit 0
    fi
    added=0
    for p in $(printf '%s\n' "$out" | grep -o '[a-z0-9][a-z0-9.+-]*:i386' | sort -u); do
        base=${p%:i386}
        v386=$(apt-cache policy "$p" | awk '/Candidate/{print $2}')
        v64=$(apt-cache policy "$base" | awk '/Candidate/{print $2}')
        if [ -n "$v386" ] && [ "$v386" != "(none)" ] && [ "$v386" != "$v64" ] &&
            ! printf '%s\n' "${pins[@]}" | grep -qx "$p=$v386"; then
            pins+=("$base=$v386" "$p=$v386")
            added=1
        fi
    done
    [ $added = 1 ] || break
done
printf '%s\n' "$out" | tail -20 >&2
echo "deps: install failed" >&2
exit 1
