#!/usr/bin/env bash
# Runs a command with a compositor on $DISPLAY for its duration, so that
# translucent windows show translucent on the screen a test reads back.
# Other test programs read the screen without one, so it is never left on.
# Where a compositor already runs, ours ends at once and that one serves.
set -u
pid=""
if [ -n "${DISPLAY:-}" ] && command -v xcompmgr >/dev/null 2>&1; then
    xcompmgr -d "$DISPLAY" >/dev/null 2>&1 &
    pid=$!
    # Until it has taken over the display's windows.
    sleep 0.5
fi
"$@"
rc=$?
if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
fi
exit $rc
