#!/usr/bin/env bash
# Builds the installer (dist/setup.exe) and a zip of each dist folder from
# dist/win32 and dist/win64 (run `make dist` first). The version number is
# the build's own, read from the 32-bit build tree.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
DIST="$ROOT/dist"
for d in win32 win64; do
    [ -f "$DIST/$d/zrvload.exe" ] || { echo "package: $DIST/$d is not built (make dist)" >&2; exit 1; }
done
[ -f "$DIST/win64/x86/zrvload32.exe" ] || { echo "package: the 64-bit folder lacks its x86 companion" >&2; exit 1; }
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/win32/CMakeCache.txt")
[ -n "$VERSION" ] || { echo "package: no version in $BUILD/win32/CMakeCache.txt" >&2; exit 1; }

work="$BUILD/package"
rm -rf "$work"
mkdir -p "$work"

# What the uninstaller deletes: each installed file, then each folder,
# deepest first. Nothing else in the install folder is touched.
uninstall_list() {
    local dir=$1 out=$2
    (cd "$dir" && find . -type f | sed 's|^\./||' | sort | tr '/' '\\' |
        sed 's|^|    Delete "$INSTDIR\\|; s|$|"|') > "$out"
    (cd "$dir" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | tr '/' '\\' |
        sed 's|^|    RMDir "$INSTDIR\\|; s|$|"|') >> "$out"
}
uninstall_list "$DIST/win32" "$work/files32.nsh"
uninstall_list "$DIST/win64" "$work/files64.nsh"

nsis() { # output file, extra defines...
    local out=$1
    shift
    rm -f "$out"
    makensis -V2 -INPUTCHARSET UTF8 \
        "-DVERSION=$VERSION" "-DDIST32=$DIST/win32" "-DDIST64=$DIST/win64" \
        "-DLIST32=$work/files32.nsh" "-DLIST64=$work/files64.nsh" \
        "-DICON=$ROOT/loader/res/zirvane.ico" "-DOUTFILE=$out" "$@" \
        "$ROOT/packaging/setup.nsi" | grep -v 'Insecure filename\|^1 warning:$\|^$' || true
    [ -f "$out" ] || { echo "package: makensis failed for $out" >&2; exit 1; }
}
nsis "$DIST/setup.exe"
# The same installer as a 64-bit program, only for the install test on
# machines that run no 32-bit programs; never shipped.
nsis "$work/setup-amd64.exe" -DAMD64

for d in win32 win64; do
    zip_file="$DIST/zirvane-tessel-$VERSION-$d.zip"
    rm -f "$zip_file"
    (cd "$DIST/$d" && zip -qr -X "$zip_file" .)
done
echo "package: $DIST/setup.exe, $DIST/zirvane-tessel-$VERSION-win32.zip, $DIST/zirvane-tessel-$VERSION-win64.zip"
