#!/bin/bash
# End to end with "Clip mouse pointer" stored on: the real program starts
# confined, with the title that names Alt-F; the pointer moved onto the
# caption or off to a corner stays inside the client area; after File > Exit
# it moves freely again. Runs on a fresh wineserver: Wine applies a pointer
# clip only for the first program of one.
# Usage: confine_pointer.sh SCRIVLET_EXE   (needs WINE, WINESERVER, WINEPREFIX, DISPLAY)
set -uo pipefail

exe=${1:?usage: confine_pointer.sh SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

# A maximised window's client area starts at this screen row in Wine's
# virtual desktop, below the caption and the menu bar.
clientTop=38
forgetOptions() { "$WINE" reg delete 'HKLM\Software\Scrivlet' /f </dev/null >/dev/null 2>&1; }
trap 'e2e_cleanup; forgetOptions' EXIT

e2e_prepare "$exe"
[ -n "${WINESERVER:-}" ] || e2e_fail "WINESERVER is not set: run through test.sh"

bash "$(dirname "$0")/../wine/start-desktop.sh" --restart || e2e_fail "could not restart the wineserver and its desktop"
# The defaults with clipMousePointer (offset 20) on.
zeros=$(printf '00%.0s' $(seq 253))
value="010000000100000001000000000000000100000001000000$(printf 'key.wav' | od -An -tx1 | tr -d ' \n')$zeros"
"$WINE" reg add 'HKLM\Software\Scrivlet\1.2' /v Options /t REG_BINARY /d "$value" /f </dev/null >/dev/null 2>&1 ||
    e2e_fail "could not store the options with reg add"

# The X server holds a grabbed pointer in its confining window as it moves,
# so where a move ends is known as soon as the move is done.
pointerAt() {  # pointerAt X Y: prints where the pointer ends up
    xdotool mousemove "$1" "$2"
    xdotool getmouselocation | sed -E 's/x:([0-9-]+) y:([0-9-]+).*/\1 \2/'
}

read -r screenWidth _ < <(xdotool getdisplaygeometry)
e2e_park_pointer
e2e_start "$exe"
e2e_wait_window '^Scrivlet\. \(Alt-F - menu\)$' >/dev/null ||
    e2e_fail "no window titled \"Scrivlet. (Alt-F - menu)\" within ${E2E_WAIT}s: $(xdotool search --name '^scrivlet' getwindowname 2>/dev/null)"
# The title names Alt-F once Windows' clip holds. Wine holds the X pointer
# in it once the toy's window has the pointer grab; its desktop may take
# that grab back as the window activates, and the toy makes its clip once
# more on the next tick (a tenth of a second). Settled means held on three
# looks a tick apart.
held=0
for _ in $(seq $((E2E_WAIT * 10))); do
    read -r _ y < <(pointerAt "$((screenWidth / 2))" 5)
    if [ "$y" -ge "$clientTop" ]; then held=$((held + 1)); else held=0; fi
    [ "$held" -ge 3 ] && break
    sleep 0.1
done

for target in "$((screenWidth / 2)) 5" "0 0" "$((screenWidth / 2)) 20"; do
    read -r x y < <(pointerAt $target)
    [ "$y" -ge "$clientTop" ] ||
        e2e_fail "a move to ($target) left the pointer at ($x, $y), above the client area (row $clientTop), see $(e2e_screenshot escaped)"
done
e2e_screenshot confined >/dev/null

# The menu is still reached from the keyboard, as the title says.
e2e_exit_through_menu
read -r x y < <(pointerAt "$((screenWidth / 2))" 5)
[ "$y" -eq 5 ] || e2e_fail "after the exit a move to row 5 left the pointer at ($x, $y): still confined"

e2e_pass
