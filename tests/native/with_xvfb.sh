#!/bin/bash
# Runs a test program on an Xvfb of its own (on a display number the server
# picks) and removes the display afterwards; exits with the program's status.
# Usage: with_xvfb.sh PROGRAM [ARGS...]
set -uo pipefail
. "$(dirname "$0")/../lib/x11.sh"

log=$(mktemp "${TMPDIR:-/tmp}/scrivlet-xvfb.XXXXXX")
x11_start_server "$log" Xvfb -screen 0 1024x768x24 -nolisten tcp || {
    echo "FAIL: Xvfb did not start:" >&2
    cat "$log" >&2
    rm -f "$log"
    exit 1
}
"$@"
status=$?
kill "$X11_PID" 2>/dev/null
wait "$X11_PID" 2>/dev/null
rm -f "$log"
exit "$status"
