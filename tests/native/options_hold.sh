#!/bin/bash
# End to end through the native program's options: the "0-6 months" preset
# chosen in File > Options (keyboard only) and OK confine the pointer at once
# and change the title; the end of the session (SIGTERM) stores the preset's
# flags, and its auto draw sets the pen walking at once; at the next start
# the pointer is confined and the title says so from the beginning; a session that ends while the dialog is open cancels
# the dialog and still ends the program.
# Usage: options_hold.sh SCRIVLET
set -uo pipefail

program=${1:?usage: options_hold.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
confined="Scrivlet. (Alt-F - menu)"

# Fails unless the pointer, sent to the top-left corner of the screen, is
# held below the window's menu bar. The X server holds it there as it
# moves: the toy sets the title once its grab is in force.
expectConfined() {
    local window=$1 x y
    read -r x y _ < <(n2e_window_box "$window")
    xdotool mousemove 0 0
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" -ge "$x" ] && [ "$Y" -ge $((y + 20)) ] || n2e_fail "the pointer went to ($X,$Y), over the title bar or the menu"
}

xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
title=$(n2e_wait_title "$window" Scrivlet) || n2e_fail "the title is \"$title\", not \"Scrivlet\" at first start"
n2e_wait_canvas "$screenHeight"

# The dialog opens with the defaults' preset, "12-24 months", in its list;
# two steps up is "0-6 months"; Enter is OK. The modal dialog takes the
# keys as soon as it shows, and GTK reads them in order.
n2e_menu f o
n2e_find_window '^Scrivlet options$' >/dev/null ||
    n2e_fail "no window \"Scrivlet options\" after Alt-F, o"
xdotool key Up Up
n2e_screenshot dialog >/dev/null
xdotool key Return
title=$(n2e_wait_title "$window" "$confined") || n2e_fail "after OK the title is \"$title\"; see $N2E_DIR/dialog.png"
expectConfined "$window"

# The pointer rests; the pen walks on its own, a step every tenth of a
# second, so each of a few shots soon differs from the one before.
before=$(n2e_screenshot walk0)
for shot in 1 2 3; do
    n2e_until 3 'after=$(n2e_screenshot "walk$shot"); ! cmp -s "$before" "$after"' ||
        n2e_fail "the pen did not walk between $before and $after after auto draw was turned on"
    before=$after
done

# The session ends (SIGTERM, as at logout): the options are stored as on
# File > Exit.
kill -TERM "$N2E_PID"
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after SIGTERM"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after SIGTERM"
# "0-6 months": every flag but erasing with the right button; the sound
# file is kept.
expected='01000000 00000000 01000000 01000000 01000000 01000000 6b65792e 77617600'
stored=$(od -A n -t x1 -N 32 "$N2E_OPTIONS" 2>/dev/null | tr -d ' \n' | sed 's/\(........\)/\1 /g; s/ $//')
[ "$stored" = "$expected" ] || n2e_fail "stored options start $stored, not $expected"
[ "$(stat -c %s "$N2E_OPTIONS")" -eq 284 ] || n2e_fail "the options file is not 284 bytes"

# The next start reads them: confined from the beginning.
xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window at the second start"
title=$(n2e_wait_title "$window" "$confined") || n2e_fail "at the second start the title is \"$title\""
expectConfined "$window"

# The session ends while the dialog is open with another preset chosen: the
# dialog is cancelled, the program still ends, and the stored options are
# those of before the dialog. Down has chosen it once the dialog, drawn
# and active (two looks in a row alike), looks different.
n2e_menu f o
dialog=$(n2e_find_window '^Scrivlet options$') || n2e_fail "no options dialog at the second start"
read -r x y w h < <(n2e_window_box "$dialog")
look() { n2e_screenshot dialog2 >/dev/null && /usr/bin/convert "$N2E_DIR/dialog2.png" -crop "${w}x$h+$x+$y" -format '%#' info:; }
n2e_until "$N2E_WAIT" '[ "$(xdotool getactivewindow)" = "$dialog" ] && drawn=$(look) && [ "$drawn" = "$(look)" ]' ||
    n2e_fail "the options dialog was never active and still; see $N2E_DIR/dialog2.png"
xdotool key Down
n2e_until "$N2E_WAIT" '[ "$(look)" != "$drawn" ]' || n2e_fail "Down changed nothing in the options dialog; see $N2E_DIR/dialog2.png"
kill -TERM "$N2E_PID"
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after SIGTERM with the options dialog open"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after SIGTERM with the dialog open"
stored=$(od -A n -t x1 -N 32 "$N2E_OPTIONS" 2>/dev/null | tr -d ' \n' | sed 's/\(........\)/\1 /g; s/ $//')
[ "$stored" = "$expected" ] || n2e_fail "after a session end in the dialog the options start $stored, not $expected"

n2e_pass
