#!/bin/bash
# End to end through the real program: scrivlet.exe under Wine in the test
# desktop opens maximised on a black canvas, a mouse drag leaves colour along
# its path and nowhere else, and File > Exit (Alt-F, x) ends it with code 0.
# Usage: draw_and_exit.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: draw_and_exit.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
# The pointer waits over the caption until the drag.
e2e_launch "$exe"
window=$E2E_WINDOW

# Maximised: the frame covers the whole desktop (its borders hang outside).
maximised=0
for _ in $(seq 50); do
    read -r left top width height < <(e2e_window_frame "$window")
    if [ "$left" -le 0 ] && [ "$top" -le 0 ] &&
        [ $((left + width)) -ge "$screenWidth" ] && [ $((top + height)) -ge "$screenHeight" ]; then
        maximised=1
        break
    fi
    sleep 0.2
done
[ "$maximised" -eq 1 ] ||
    e2e_fail "window is not maximised: frame ${width}x${height} at ($left,$top) on a ${screenWidth}x${screenHeight} desktop"

# Everything below the caption and the menu bar is the client area, and it
# starts black. Poll: the first paint may lag the window's appearance.
clientTop=$E2E_CLIENT_TOP
clientHeight=$((screenHeight - clientTop))
brightest=$(e2e_canvas_until black "${screenWidth}x${clientHeight}+0+$clientTop" start)
shot=$E2E_SHOTS/start.png
[ "$brightest" -eq 0 ] || e2e_fail "client area is not black at start (brightest channel $brightest), see $shot"
# ...while the caption above it is painted, so this is a window, not an
# empty screen.
[ "$(e2e_brightest "$shot" "${screenWidth}x10+0+5")" -gt 0 ] || e2e_fail "no caption at the top of the screen, see $shot"

# A drag with the left button through five corners.
path=(300 300 500 320 700 420 900 520 1000 680)
xdotool mousemove "${path[0]}" "${path[1]}" mousedown 1
for ((i = 2; i < ${#path[@]}; i += 2)); do
    # Intermediate positions, so the program sees a run of short moves.
    x0=${path[i - 2]} y0=${path[i - 1]} x1=${path[i]} y1=${path[i + 1]}
    for step in 1 2 3 4; do
        xdotool mousemove $((x0 + (x1 - x0) * step / 4)) $((y0 + (y1 - y0) * step / 4))
        sleep 0.05
    done
done
xdotool mouseup 1

# The drag has been drawn once its last stretch shows colour.
last=$((${#path[@]} - 2))
x=$((path[last - 2] + (path[last] - path[last - 2]) * 5 / 8))
y=$((path[last - 1] + (path[last + 1] - path[last - 1]) * 5 / 8))
for _ in $(seq $((E2E_WAIT * 5))); do
    shot=$(e2e_screenshot drag)
    [ "$(e2e_brightest "$shot" "3x3+$((x - 1))+$((y - 1))")" -ge 10 ] && break
    sleep 0.2
done
for ((i = 2; i < ${#path[@]}; i += 2)); do
    # Halfway along a short move: a fast move's black margin covers the end
    # of the line before it, so the colour is surest away from the corners.
    for eighth in 3 5; do
        x=$((path[i - 2] + (path[i] - path[i - 2]) * eighth / 8))
        y=$((path[i - 1] + (path[i + 1] - path[i - 1]) * eighth / 8))
        brightest=$(e2e_brightest "$shot" "3x3+$((x - 1))+$((y - 1))")
        [ "$brightest" -ge 10 ] || e2e_fail "no colour at ($x,$y) on the drag's path (brightest channel $brightest), see $shot"
    done
done
# Far from the path the canvas stays black.
for corner in "40x40+20+$((clientTop + 20))" "40x40+$((screenWidth - 60))+$((screenHeight - 60))" "40x40+100+700"; do
    brightest=$(e2e_brightest "$shot" "$corner")
    [ "$brightest" -eq 0 ] || e2e_fail "colour away from the drag's path in $corner (brightest channel $brightest), see $shot"
done

e2e_exit_through_menu

e2e_pass
