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

e2e_prepare "$exe"
forgetOptions
canvas=$(e2e_canvas_region)

# Prints the brightest channel of the canvas once it shows colour, or what
# it last saw after `tries` looks a fifth of a second apart.
colourWithin() { e2e_canvas_until colour "$canvas" "$2" "$1"; }  # colourWithin TRIES SHOT_NAME

# First run: the defaults, so nothing draws by itself.
e2e_launch "$exe" "the first run"
[ "$(colourWithin 8 first-run)" -eq 0 ] ||
    e2e_fail "the first run drew without input, see $E2E_SHOTS/first-run.png"

# Alt-F, o opens the dialog with the focus on OK. Five tabs reach "Auto
# draw" (OK, Cancel, then the boxes in order), space ticks it, Return is OK.
xdotool key alt+f o
dialog=$(timeout "$E2E_WAIT" xdotool search --sync --name '^Scrivlet options$' 2>/dev/null | head -n 1)
[ -n "$dialog" ] || e2e_fail "no dialog titled \"Scrivlet options\" after Alt-F, o"
e2e_screenshot dialog-open >/dev/null
xdotool key Tab Tab Tab Tab Tab space Return
for _ in $(seq 50); do
    xdotool search --name '^Scrivlet options$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --name '^Scrivlet options$' >/dev/null 2>&1 &&
    e2e_fail "the dialog is still open after Return, see $(e2e_screenshot still-open)"
e2e_exit_through_menu "the first run"

# Between the runs: the defaults with autoDraw (offset 12) set, 284 bytes.
stored=$("$WINE" reg query "$key" /v Options </dev/null 2>/dev/null | tr -d '\r' |
    awk '$1 == "Options" { print $2, $3 }')
zeros=$(printf '00%.0s' $(seq 253))
expected="REG_BINARY 010000000100000001000000010000000100000000000000$(printf 'key.wav' | od -An -tx1 | tr -d ' \n' |
    tr 'a-f' 'A-F')$zeros"
[ "${#expected}" -eq $((11 + 2 * 284)) ] || e2e_fail "the test's own expected value is not 284 bytes"
[ "$stored" = "$expected" ] || e2e_fail "stored value after the first run: '$stored', expected '$expected'"

# Second run: auto draw is in force from the start.
e2e_launch "$exe" "the second run"
[ "$(colourWithin 25 second-run)" -gt 0 ] ||
    e2e_fail "the second run did not draw by itself, see $E2E_SHOTS/second-run.png"
e2e_exit_alt_f4 "the second run"

e2e_pass
