#!/usr/bin/env bash
# Installs what the build and the tests need on Debian, when run as root.
# Quick and silent when everything is already there.
set -euo pipefail

need_pkgs=(cmake make g++ libgtest-dev googletest libbenchmark-dev
           mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
           wine wine64 wine32:i386 xvfb xcompmgr imagemagick x11-utils python3
           pulseaudio pulseaudio-utils lame nsis zip clang libclang-rt-14-dev)

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
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "deps: installed"
