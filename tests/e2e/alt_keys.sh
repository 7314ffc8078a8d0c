#!/bin/bash
# End to end through the keyboard's menu keys: a bare Alt press does not put
# the menu bar into keyboard mode, so the next key still stamps its blossom
# where the random sequence puts it; Alt-H then a opens the About box (the
# Help items carry no '&'); Alt-F4 ends the program with code 0.
# Usage: alt_keys.sh SCRIVLET_EXE REPLAY_TOOL   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: alt_keys.sh SCRIVLET_EXE REPLAY_TOOL}
replay=${2:?usage: alt_keys.sh SCRIVLET_EXE REPLAY_TOOL}
. "$(dirname "$0")/lib.sh"

e2e_require_env
[ -f "$exe" ] || e2e_fail "no program at $exe"
[ -x "$replay" ] || e2e_fail "no scrivlet-replay at $replay"
e2e_require_no_window

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
clientHeight=$((screenHeight - E2E_CLIENT_ORIGIN_Y))
canvas="${screenWidth}x$((screenHeight - E2E_CLIENT_TOP))+0+$E2E_CLIENT_TOP"

# Pointer movement over the canvas draws, so the pointer stays on the caption
# and the first key's stamp is the first use of the random sequence.
xdotool mousemove $((screenWidth / 2)) 6
sleep 0.1
xdotool mousemove $((screenWidth / 2)) 5
sleep 0.3
e2e_start "$exe"
e2e_wait_window >/dev/null || e2e_fail "no window titled scrivlet appeared within ${E2E_WAIT}s"
for _ in $(seq 25); do
    [ "$(e2e_brightest "$(e2e_screenshot start)" "$canvas")" -eq 0 ] && break
    sleep 0.2
done

# Alt alone, then a: the a must reach the canvas, not the menu.
xdotool key alt
sleep 0.4
xdotool key a
read -r x y colour < <(e2e_expected_stamp "$replay" "$screenWidth" "$clientHeight" 1)
[ -n "${colour:-}" ] || e2e_fail "scrivlet-replay gave no stamp"
seen=""
for _ in $(seq 25); do
    shot=$(e2e_screenshot after-alt-a)
    seen=$(e2e_pixel "$shot" "$x" $((y + E2E_CLIENT_ORIGIN_Y)))
    [ "$seen" = "$colour" ] && break
    sleep 0.2
done
[ "$seen" = "$colour" ] ||
    e2e_fail "after Alt then a, ($x,$y) of the canvas is $seen, not the first blossom's $colour; see $shot"

# Alt-H opens Help; a chooses About by its first letter.
xdotool key alt+h
sleep 0.4
xdotool key a
timeout "$E2E_WAIT" xdotool search --sync --name '^About$' >/dev/null 2>&1 ||
    e2e_fail "no About box after Alt-H, a; see $(e2e_screenshot no-about)"
e2e_screenshot about >/dev/null
xdotool key Return
for _ in $(seq 25); do
    xdotool search --name '^About$' >/dev/null 2>&1 || break
    sleep 0.2
done
xdotool search --name '^About$' >/dev/null 2>&1 && e2e_fail "the About box did not close on Return"

xdotool key alt+F4
e2e_wait_exit || e2e_fail "still running ${E2E_WAIT}s after Alt-F4"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exited with code $E2E_STATUS after Alt-F4"

e2e_pass
