#!/bin/bash
# End to end through the options dialog and the registry: in a first run,
# File > Options is opened from the keyboard and "Auto draw" ticked; the run
# ends, `reg query` shows the stored 284-byte REG_BINARY value, and a second
# run draws on its own from the start, with no input at all.
# Usage: options_persist.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: options_persist.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

key='HKLM\Software\Scrivlet\1.2'
forgetOptions() { "$WINE" reg delete 'HKLM\Software\Scrivlet' /f </dev/null >/dev/null 2>&1; }
# Later tests expect the defaults: take the stored value away again.
trap 'e2e_cleanup; forgetOptions' EXIT

e2e_require_env
[ -f "$exe" ] || e2e_fail "no program at $exe"
e2e_require_no_window
forgetOptions

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
canvas="${screenWidth}x$((screenHeight - E2E_CLIENT_TOP))+0+$E2E_CLIENT_TOP"

# Pointer movement over the canvas draws, so the pointer stays on the caption.
xdotool mousemove $((screenWidth / 2)) 6
sleep 0.1
xdotool mousemove $((screenWidth / 2)) 5
sleep 0.3

# Prints the brightest channel of the canvas once it shows colour, or what
# it last saw after `tries` looks a fifth of a second apart.
colourWithin() {  # colourWithin TRIES SHOT_NAME
    local brightest=-1
    for _ in $(seq "$1"); do
        brightest=$(e2e_brightest "$(e2e_screenshot "$2")" "$canvas")
        [ "$brightest" -gt 0 ] && break
        sleep 0.2
    done
    echo "$brightest"
}

# First run: the defaults, so nothing draws by itself.
e2e_start "$exe"
e2e_wait_window >/dev/null || e2e_fail "no window titled scrivlet appeared within ${E2E_WAIT}s"
sleep 1
[ "$(colourWithin 8 first-run)" -eq 0 ] ||
    e2e_fail "the first run drew without input, see $E2E_SHOTS/first-run.png"

# Alt-F, o opens the dialog with the focus on OK. Five tabs reach "Auto
# draw" (OK, Cancel, then the boxes in order), space ticks it, Return is OK.
xdotool key alt+f
sleep 0.4
xdotool key o
dialog=$(timeout "$E2E_WAIT" xdotool search --sync --name '^Scrivlet options$' 2>/dev/null | head -n 1)
[ -n "$dialog" ] || e2e_fail "no dialog titled \"Scrivlet options\" after Alt-F, o"
sleep 0.5
e2e_screenshot dialog-open >/dev/null
xdotool key Tab Tab Tab Tab Tab space
sleep 0.3
e2e_screenshot auto-draw-ticked >/dev/null
xdotool key Return
for _ in $(seq 50); do
    xdotool search --name '^Scrivlet options$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --name '^Scrivlet options$' >/dev/null 2>&1 &&
    e2e_fail "the dialog is still open after Return, see $E2E_SHOTS/auto-draw-ticked.png"
sleep 0.3
xdotool key alt+f
sleep 0.4
xdotool key x
e2e_wait_exit || e2e_fail "the first run is still running ${E2E_WAIT}s after File > Exit"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "the first run exited with code $E2E_STATUS"

# Between the runs: the defaults with autoDraw (offset 12) set, 284 bytes.
stored=$("$WINE" reg query "$key" /v Options </dev/null 2>/dev/null | tr -d '\r' |
    awk '$1 == "Options" { print $2, $3 }')
zeros=$(printf '00%.0s' $(seq 253))
expected="REG_BINARY 010000000100000001000000010000000100000000000000$(printf 'key.wav' | od -An -tx1 | tr -d ' \n' |
    tr 'a-f' 'A-F')$zeros"
[ "${#expected}" -eq $((11 + 2 * 284)) ] || e2e_fail "the test's own expected value is not 284 bytes"
[ "$stored" = "$expected" ] || e2e_fail "stored value after the first run: '$stored', expected '$expected'"

# Second run: auto draw is in force from the start.
e2e_start "$exe"
e2e_wait_window >/dev/null || e2e_fail "no window in the second run within ${E2E_WAIT}s"
[ "$(colourWithin 25 second-run)" -gt 0 ] ||
    e2e_fail "the second run did not draw by itself, see $E2E_SHOTS/second-run.png"
xdotool key alt+F4
e2e_wait_exit || e2e_fail "the second run is still running ${E2E_WAIT}s after Alt-F4"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "the second run exited with code $E2E_STATUS"

e2e_pass
