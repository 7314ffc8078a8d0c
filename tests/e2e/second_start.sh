#!/bin/bash
# End to end: starting scrivlet.exe while it already runs only brings the
# running window to the front; the second process exits with code 0 and one
# window is left, which still ends with code 0 on Alt-F4.
# Usage: second_start.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: second_start.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
e2e_launch "$exe"

# Wine's own errors go to the second start's log, and a failure shows the
# log: an exe Wine cannot load, a lost X connection and Wine's own reasons
# each leave a line there; a process that its wineserver ended (status 1)
# leaves none.
second=0
WINEDEBUG=-all,err+all timeout "$E2E_WAIT" "$WINE" "$exe" >"$E2E_SHOTS/second.log" 2>&1 || second=$?
[ "$second" -ne 124 ] || e2e_fail "the second start was still running after ${E2E_WAIT}s"
[ "$second" -eq 0 ] || e2e_fail "the second start exited with code $second; its output:
$(tail -n 20 "$E2E_SHOTS/second.log")"
windows=$(xdotool search --name '^scrivlet' 2>/dev/null | wc -l)
[ "$windows" -eq 1 ] || e2e_fail "$windows scrivlet windows after the second start, see $(e2e_screenshot windows)"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the first program ended"

e2e_exit_alt_f4

e2e_pass
