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

e2e_prepare "$exe"
[ -x "$replay" ] || e2e_fail "no scrivlet-replay at $replay"

canvas=$(e2e_canvas_region)

# Pointer movement over the canvas draws, so the pointer stays on the caption
# and the first key's stamp is the first use of the random sequence.
e2e_launch "$exe"
e2e_canvas_until black "$canvas" start >/dev/null

# Alt alone, then a: the a must reach the canvas, not the menu.
xdotool key alt a
read -r x y colour < <(e2e_expected_stamp "$replay" 1)
[ -n "${colour:-}" ] || e2e_fail "scrivlet-replay gave no stamp"
e2e_wait_pixel "$x" "$y" "$colour" after-alt-a ||
    e2e_fail "after Alt then a, ($x,$y) of the canvas is $E2E_SEEN, not the first blossom's $colour; see $E2E_SHOT"

# Alt-H opens Help; a chooses About by its first letter.
xdotool key alt+h a
timeout "$E2E_WAIT" xdotool search --sync --name '^About$' >/dev/null 2>&1 ||
    e2e_fail "no About box after Alt-H, a; see $(e2e_screenshot no-about)"
e2e_screenshot about >/dev/null
xdotool key Return
for _ in $(seq 25); do
    xdotool search --name '^About$' >/dev/null 2>&1 || break
    sleep 0.2
done
xdotool search --name '^About$' >/dev/null 2>&1 && e2e_fail "the About box did not close on Return"

e2e_exit_alt_f4

e2e_pass
