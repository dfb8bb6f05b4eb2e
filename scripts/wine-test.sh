#!/bin/sh
# Runs one cross-built test program: wine-test.sh ARCH COMMAND...
# On a machine whose kernel runs no 32-bit programs (ZT_WINE64_ONLY, set by
# wine-env.sh) a 32-bit test cannot start at all; it is reported as skipped
# (exit 77) with the reason, rather than as a failure or a pass.
arch="$1"
shift
if [ "$arch" = win32 ] && [ -n "${ZT_WINE64_ONLY:-}" ]; then
    echo "skipped: this machine's kernel cannot run 32-bit programs, so 32-bit wine cannot start"
    exit 77
fi
exec "$@"
