#!/bin/bash
# End to end: the Windows-key guard. A witness window that reports the keys
# it gets sees the Windows key before the toy starts; while the toy runs the
# key reaches no window (it stamps nothing in the toy, and the witness, made
# active, sees it no more) while other keys still stamp and still reach the
# witness; after the toy exits the witness sees the Windows key again.
# Usage: windows_key.sh SCRIVLET_EXE KEY_WITNESS_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: windows_key.sh SCRIVLET_EXE KEY_WITNESS_EXE}
witness=${2:?usage: windows_key.sh SCRIVLET_EXE KEY_WITNESS_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
[ -f "$witness" ] || e2e_fail "no witness program at $witness"
witness=$(realpath "$witness")

witnessLog=$E2E_SHOTS/witness.log
witnessPid=""
stopWitness() {
    if [ -n "$witnessPid" ] && kill -0 "$witnessPid" 2>/dev/null; then
        kill "$witnessPid" 2>/dev/null
        wait "$witnessPid" 2>/dev/null
    fi
}
trap 'stopWitness; e2e_cleanup' EXIT

# How many lines of the witness read exactly `line` (its C runtime ends
# lines with CR LF).
seen() { tr -d '\r' <"$witnessLog" | grep -cx "$1"; }
# Waits up to E2E_WAIT seconds until the witness has reported `line` at
# least `count` times.
waitSeen() {  # waitSeen LINE COUNT
    for _ in $(seq $((E2E_WAIT * 10))); do
        [ "$(seen "$1")" -ge "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
# Wine gives a window the X keyboard focus once it has activated it: keys sent then reach it.
focusOn() { local window=$1; x11_until "$E2E_WAIT" '[ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$window" ]'; }
activateWitness() {
    local before
    before=$(seen activated)
    touch "$E2E_SHOTS/activate-witness"
    waitSeen activated $((before + 1)) || e2e_fail "the witness did not become active; its report: $(tr '\n' ' ' <"$witnessLog")"
}

read -r screenWidth _ < <(xdotool getdisplaygeometry)
# The witness sits in the bottom 100 rows; the canvas is checked above it.
canvas=$(e2e_canvas_region 100)
e2e_park_pointer

(cd "$E2E_SHOTS" && exec "$WINE" "$witness" >"$witnessLog" 2>"$E2E_SHOTS/witness.err") &
witnessPid=$!
waitSeen ready 1 || e2e_fail "the key witness did not start"
activateWitness

# Without the toy the Windows key reaches a window: what the guard must stop.
xdotool key super
waitSeen "up 5B" 1 || e2e_fail "the witness did not see the Windows key before the toy started"

e2e_launch "$exe"
xdotool click 1  # on the toy's caption, to be sure it is the active program
focusOn "$E2E_WINDOW" || e2e_fail "the toy did not become active after a click on its caption"
[ "$(e2e_canvas_until black "$canvas" start)" -eq 0 ] || e2e_fail "canvas is not black at start, see $E2E_SHOTS/start.png"

# The Windows key stamps nothing in the toy; another key still stamps.
xdotool key super
sleep 0.8
[ "$(e2e_brightest "$(e2e_screenshot windows-key)" "$canvas")" -eq 0 ] ||
    e2e_fail "the Windows key reached the toy and stamped, see $E2E_SHOTS/windows-key.png"
xdotool key a
[ "$(e2e_canvas_until colour "$canvas" other-key)" -gt 0 ] || e2e_fail "a key other than the Windows key stamped nothing, see $E2E_SHOTS/other-key.png"

# The guard covers the whole desktop: with another program active the
# Windows key still reaches no window, while its other keys do.
activateWitness
xdotool key super
xdotool key b
waitSeen "up 42" 1 || e2e_fail "the witness did not see the b key while the toy ran"
[ "$(seen "down 5B")" -eq 1 ] && [ "$(seen "up 5B")" -eq 1 ] ||
    e2e_fail "the Windows key reached the witness while the toy ran"

# Exit the toy, then the Windows key reaches windows again.
xdotool mousemove $((screenWidth / 2)) 5 click 1
focusOn "$E2E_WINDOW" || e2e_fail "the toy did not become active again after a click on its caption"
e2e_exit_alt_f4
activateWitness
xdotool key super
waitSeen "up 5B" 2 || e2e_fail "the Windows key did not reach the witness after the toy exited"

e2e_pass
