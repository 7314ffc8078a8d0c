#!/bin/bash
# End to end through the real program: taps whose mouse input carries the
# signature Windows puts on what it makes from a finger each leave a dot,
# with nothing between them; the same taps from a mouse still join, since
# the default options draw when the mouse moves. The taps go in through
# SendInput (touch_taps.exe), whose extra information Wine 8 hands back to
# the program as Windows does.
# Usage: touch_taps.sh SCRIVLET_EXE TOUCH_TAPS_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: touch_taps.sh SCRIVLET_EXE TOUCH_TAPS_EXE}
taps=${2:?usage: touch_taps.sh SCRIVLET_EXE TOUCH_TAPS_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
[ -f "$taps" ] || e2e_fail "no tap helper at $taps"
e2e_launch "$exe"

# Two taps a row, far apart on the screen; a line between them would cross
# the band between.
left=300
right=900
between() { echo "$((right - left - 60))x21+$((left + 30))+$(($1 - 10))"; }

# Under Wine a move that SendInput makes elsewhere warps the X pointer, and
# X's report of the warp comes back as a second, plain move without the
# signature. So the X pointer is put on each tap first, as a mouse (the
# default options draw a dot there), and the tap's own move then goes
# nowhere. A finger's landing lifts the mouse's pen, so the mouse's next
# move starts a stroke of its own: only taps that the toy took for a mouse's
# clicks leave the line that joins them.
tap() {  # tap EXTRA X Y SHOT
    xdotool mousemove "$2" "$3"
    [ "$(e2e_canvas_until colour "3x3+$(($2 - 1))+$(($3 - 1))" "$4")" -gt 0 ] ||
        e2e_fail "no mark where the pointer went, at ($2,$3), see $E2E_SHOTS/$4.png"
    "$WINE" "$taps" "$1" "$2" "$3" >>"$E2E_SHOTS/taps.log" 2>&1 ||
        e2e_fail "touch_taps.exe could not send the tap at ($2,$3) (see $E2E_SHOTS/taps.log)"
}

for row in "FF515780 300 finger" "FF515700 450 finger-low-byte-clear"; do
    read -r extra y name <<<"$row"
    tap "$extra" "$left" "$y" "$name"
    # The move to the second tap is where a line joining the taps is drawn.
    tap "$extra" "$right" "$y" "$name"
    shot=$E2E_SHOTS/$name.png
    brightest=$(e2e_brightest "$shot" "$(between "$y")")
    [ "$brightest" -eq 0 ] ||
        e2e_fail "a line joins the taps of extra information $extra (brightest channel $brightest), see $shot"
done

# The same taps from a mouse: the move to the second tap draws the line.
y=600
tap 0 "$left" "$y" mouse-first
xdotool mousemove "$right" "$y"
[ "$(e2e_canvas_until colour "$(between "$y")" mouse)" -gt 0 ] ||
    e2e_fail "two mouse clicks with \"Draw when mouse moves\" on did not join, see $E2E_SHOTS/mouse.png"

e2e_exit_alt_f4

e2e_pass
