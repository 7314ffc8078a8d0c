#!/bin/bash
# End to end through the real program's keyboard: a key stamps a blossom when
# it is released (not while it is held), Edit > Clear reached from Alt-F
# blanks the canvas, and Alt-F4 ends the program with code 0.
# Usage: stamp_and_clear.sh SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: stamp_and_clear.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
canvas=$(e2e_canvas_region)
canvasUntil() { e2e_canvas_until "$1" "$canvas" "$2"; }  # canvasUntil black|colour SHOT_NAME

e2e_launch "$exe"
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

# Alt-F opens File, Right moves to Edit, and pressing c picks "&Clear". The
# command runs on the press; the canvas is checked before c is released,
# since that release is an ordinary key release and stamps again.
xdotool key alt+f
e2e_wait_file_menu
xdotool key Right keydown c
[ "$(canvasUntil black cleared)" -eq 0 ] || {
    xdotool keyup c
    e2e_fail "Edit > Clear left colour on the canvas, see $E2E_SHOTS/cleared.png"
}
xdotool keyup c
[ "$(canvasUntil colour after-clear)" -gt 0 ] ||
    e2e_fail "no blossom from releasing c after Clear, see $E2E_SHOTS/after-clear.png"

# Closing the window the system's way also ends the program cleanly.
e2e_exit_alt_f4

e2e_pass
