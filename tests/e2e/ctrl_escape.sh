#!/bin/bash
# End to end: Ctrl+Esc, which opens the Start menu, is swallowed like the
# Windows keys, press and release, whichever key is let go first: only the
# release of Ctrl stamps. Escape alone still stamps, and Alt-F4 still ends
# the program with code 0. The random sequence (through scrivlet-replay)
# tells where each blossom lands, so a blossom too many shows.
# Usage: ctrl_escape.sh SCRIVLET_EXE REPLAY_TOOL   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: ctrl_escape.sh SCRIVLET_EXE REPLAY_TOOL}
replay=${2:?usage: ctrl_escape.sh SCRIVLET_EXE REPLAY_TOOL}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
[ -x "$replay" ] || e2e_fail "no scrivlet-replay at $replay"

canvas=$(e2e_canvas_region)

# The pointer stays on the caption: only key stamps use the random sequence.
e2e_launch "$exe"
xdotool click 1  # on the caption, to be sure the toy is the active program
e2e_canvas_until black "$canvas" start >/dev/null

# Checks that blossom N is on the canvas and blossom N+1 is not.
expectBlossoms() {  # expectBlossoms N WHAT
    local n=$1 x y colour seen shot
    read -r x y colour < <(e2e_expected_stamp "$replay" "$n")
    e2e_wait_pixel "$x" "$y" "$colour" "after-$n" 15 ||
        e2e_fail "$2: blossom $n ($colour) is not at ($x,$y), that pixel is $E2E_SEEN; see $E2E_SHOT"
    sleep 0.5
    shot=$(e2e_screenshot "after-$n-settled")
    read -r x y colour < <(e2e_expected_stamp "$replay" $((n + 1)))
    seen=$(e2e_pixel "$shot" "$x" $((y + E2E_CLIENT_ORIGIN_Y)))
    [ "$seen" != "$colour" ] || e2e_fail "$2: a blossom too many, blossom $((n + 1)) is at ($x,$y); see $shot"
}

xdotool key ctrl+Escape
expectBlossoms 1 "Ctrl+Esc"
# Ctrl let go before Escape: Escape's release must not slip through.
xdotool keydown ctrl keydown Escape keyup ctrl keyup Escape
expectBlossoms 2 "Ctrl+Esc with Ctrl let go first"
xdotool key Escape
expectBlossoms 3 "Escape alone"

e2e_exit_alt_f4

e2e_pass
