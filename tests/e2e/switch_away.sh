#!/bin/bash
# End to end: a stroke, then another program opened over the toy, the pointer
# moved onto it, and the program closed with Alt-F4 while the pointer is over
# it. Under Wine the toy may then see the pointer move before it learns it is
# active again; no line may join the stroke's end to the new place.
# Usage: switch_away.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: switch_away.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"

read -r screenWidth _ < <(xdotool getdisplaygeometry)
caption=$((screenWidth / 2))
e2e_launch "$exe"

# A short stroke ending at (300, 300) on the screen, drawn once its middle
# shows; then the pointer waits on the caption, where it makes no move on
# the canvas. The steps are apart so that Wine sends each move.
for x in 200 250 300; do
    xdotool mousemove "$x" 300
    sleep 0.1
done
[ "$(e2e_canvas_until colour 5x5+248+298 stroke)" -gt 0 ] || e2e_fail "the first stroke is missing, see $E2E_SHOTS/stroke.png"
xdotool mousemove "$caption" 5

other=$E2E_SHOTS/other.log
"$WINE" notepad >"$other" 2>&1 &
otherPid=$!
otherWindow=$(timeout "$E2E_WAIT" xdotool search --sync --name 'Notepad' 2>/dev/null | head -n 1)
[ -n "$otherWindow" ] || e2e_fail "Notepad did not open within ${E2E_WAIT}s"
xdotool windowmove "$otherWindow" 800 400
for _ in $(seq $((E2E_WAIT * 10))); do
    read -r left top _ < <(e2e_window_frame "$otherWindow")
    [ "$left" -ge 700 ] && [ "$top" -ge 300 ] && break
    sleep 0.1
done
# The pointer rests over Notepad, as a parent's would, when Alt-F4 closes it.
xdotool mousemove 950 500
sleep 0.3
e2e_screenshot other-open >/dev/null
xdotool key alt+F4
wait "$otherPid" 2>/dev/null
# The toy's first move after the switch draws at the pointer's new place.
xdotool mousemove 960 510
[ "$(e2e_canvas_until colour 5x5+958+508 after)" -gt 0 ] ||
    e2e_fail "the pointer's new place has no colour (no move was seen), see $E2E_SHOTS/after.png"
shot=$E2E_SHOTS/after.png
[ "$(e2e_brightest "$shot" 5x5+248+298)" -gt 0 ] || e2e_fail "the first stroke is missing, see $shot"
# Along the way from (300, 300) to (950, 500) the canvas stays black.
for tenth in 2 4 5 6 8; do
    x=$((300 + 650 * tenth / 10))
    y=$((300 + 200 * tenth / 10))
    [ "$(e2e_brightest "$shot" "7x7+$((x - 3))+$((y - 3))")" -eq 0 ] ||
        e2e_fail "a line joins the stroke to the place after the switch, at ($x,$y); see $shot"
done

e2e_exit_alt_f4

e2e_pass
