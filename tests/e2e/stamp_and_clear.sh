#!/bin/bash
# End to end through the real program's keyboard: a key stamps a blossom when
# it is released (not while it is held), Edit > Clear reached from Alt-F
# blanks the canvas, and Alt-F4 ends the program with code 0.
# Usage: stamp_and_clear.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: stamp_and_clear.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_require_env
[ -f "$exe" ] || e2e_fail "no program at $exe"
e2e_require_no_window

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
canvas="${screenWidth}x$((screenHeight - E2E_CLIENT_TOP))+0+$E2E_CLIENT_TOP"

# Pointer movement over the canvas draws, so the pointer stays on the caption.
xdotool mousemove $((screenWidth / 2)) 6
sleep 0.1
xdotool mousemove $((screenWidth / 2)) 5
sleep 0.3
e2e_start "$exe"
e2e_wait_window >/dev/null || e2e_fail "no window titled scrivlet appeared within ${E2E_WAIT}s"

# Prints the brightest channel of the canvas once it settles at black (0) or
# at colour (above 0), whichever `want` names, or what it last saw.
canvasUntil() {  # canvasUntil black|colour SHOT_NAME
    local brightest=-1
    for _ in $(seq 25); do
        brightest=$(e2e_brightest "$(e2e_screenshot "$2")" "$canvas")
        if [ "$1" = black ] && [ "$brightest" -eq 0 ]; then break; fi
        if [ "$1" = colour ] && [ "$brightest" -gt 0 ]; then break; fi
        sleep 0.2
    done
    echo "$brightest"
}

[ "$(canvasUntil black start)" -eq 0 ] || e2e_fail "canvas is not black at start, see $E2E_SHOTS/start.png"

# A held key stamps nothing; its release stamps.
xdotool keydown a
sleep 0.5
[ "$(e2e_brightest "$(e2e_screenshot key-held)" "$canvas")" -eq 0 ] ||
    e2e_fail "a blossom appeared while the key was still held, see $E2E_SHOTS/key-held.png"
xdotool keyup a
[ "$(canvasUntil colour key-released)" -gt 0 ] ||
    e2e_fail "no blossom after the key was released, see $E2E_SHOTS/key-released.png"
xdotool key b c d
sleep 0.3

# Alt-F opens File, Right moves to Edit, and pressing c picks "&Clear". The
# command runs on the press; the canvas is checked before c is released,
# since that release is an ordinary key release and stamps again.
xdotool key alt+f
sleep 0.4
xdotool key Right
sleep 0.4
xdotool keydown c
[ "$(canvasUntil black cleared)" -eq 0 ] || {
    xdotool keyup c
    e2e_fail "Edit > Clear left colour on the canvas, see $E2E_SHOTS/cleared.png"
}
xdotool keyup c
[ "$(canvasUntil colour after-clear)" -gt 0 ] ||
    e2e_fail "no blossom from releasing c after Clear, see $E2E_SHOTS/after-clear.png"

# Closing the window the system's way also ends the program cleanly.
xdotool key alt+F4
e2e_wait_exit || e2e_fail "still running ${E2E_WAIT}s after Alt-F4"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exited with code $E2E_STATUS after Alt-F4"

e2e_pass
