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

e2e_require_env
[ -f "$exe" ] || e2e_fail "no program at $exe"
[ -x "$replay" ] || e2e_fail "no scrivlet-replay at $replay"
e2e_require_no_window

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
clientHeight=$((screenHeight - E2E_CLIENT_ORIGIN_Y))
canvas="${screenWidth}x$((screenHeight - E2E_CLIENT_TOP))+0+$E2E_CLIENT_TOP"

# The pointer stays on the caption: only key stamps use the random sequence.
xdotool mousemove $((screenWidth / 2)) 6
sleep 0.1
xdotool mousemove $((screenWidth / 2)) 5
sleep 0.3
e2e_start "$exe"
e2e_wait_window >/dev/null || e2e_fail "no window titled scrivlet appeared within ${E2E_WAIT}s"
xdotool click 1  # on the caption, to be sure the toy is the active program
for _ in $(seq 25); do
    [ "$(e2e_brightest "$(e2e_screenshot start)" "$canvas")" -eq 0 ] && break
    sleep 0.2
done

# Checks that blossom N is on the canvas and blossom N+1 is not.
expectBlossoms() {  # expectBlossoms N WHAT
    local n=$1 x y colour seen shot
    read -r x y colour < <(e2e_expected_stamp "$replay" "$screenWidth" "$clientHeight" "$n")
    for _ in $(seq 15); do
        shot=$(e2e_screenshot "after-$n")
        seen=$(e2e_pixel "$shot" "$x" $((y + E2E_CLIENT_ORIGIN_Y)))
        [ "$seen" = "$colour" ] && break
        sleep 0.2
    done
    [ "$seen" = "$colour" ] || e2e_fail "$2: blossom $n ($colour) is not at ($x,$y), that pixel is $seen; see $shot"
    sleep 0.5
    shot=$(e2e_screenshot "after-$n-settled")
    read -r x y colour < <(e2e_expected_stamp "$replay" "$screenWidth" "$clientHeight" $((n + 1)))
    seen=$(e2e_pixel "$shot" "$x" $((y + E2E_CLIENT_ORIGIN_Y)))
    [ "$seen" != "$colour" ] || e2e_fail "$2: a blossom too many, blossom $((n + 1)) is at ($x,$y); see $shot"
}

xdotool key ctrl+Escape
expectBlossoms 1 "Ctrl+Esc"
# Ctrl let go before Escape: Escape's release must not slip through.
xdotool keydown ctrl keydown Escape
sleep 0.2
xdotool keyup ctrl
sleep 0.2
xdotool keyup Escape
expectBlossoms 2 "Ctrl+Esc with Ctrl let go first"
xdotool key Escape
expectBlossoms 3 "Escape alone"

xdotool key alt+F4
e2e_wait_exit || e2e_fail "still running ${E2E_WAIT}s after Alt-F4"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exited with code $E2E_STATUS after Alt-F4"

e2e_pass
