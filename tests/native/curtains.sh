#!/bin/bash
# End to end through the native program on two monitors (Xephyr's two
# screens joined by Xinerama, with openbox): the toy maximises on the first
# and a black curtain covers the second, over another program's window. A
# click there reaches no other program and draws nothing, and the toy stays
# active; a key after it stamps where scrivlet-replay predicts; a move over
# the curtain lifts the pen. Activating the other program removes the
# curtain and activating the toy again shows it again; the toy's options
# dialog keeps it.
# Usage: curtains.sh SCRIVLET SCRIVLET_REPLAY GRAB_PROBE
set -uo pipefail

program=${1:?usage: curtains.sh SCRIVLET SCRIVLET_REPLAY GRAB_PROBE}
replay=${2:?missing SCRIVLET_REPLAY}
probe=${3:?missing GRAB_PROBE}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
for name in Xephyr xmessage; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
trap 'n2e_cleanup; x11_stop_two_monitors' EXIT
x11_start_two_monitors "$N2E_DIR" || n2e_fail "could not start Xvfb with Xephyr inside, see xvfb.log and xephyr.log in $N2E_DIR"
openbox --sm-disable </dev/null >"$N2E_DIR/openbox.log" 2>&1 &
N2E_WM=$!
n2e_until 5 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || n2e_fail "openbox did not start"
monitorWidth=1280 monitorHeight=800

# Another program's window on the second monitor, its button in the middle
# of it: a click that reached it would end it.
# Its button lies near the bottom left of its window.
xmessage -geometry 400x200+1700+300 -buttons press-me "another program" >"$N2E_DIR/xmessage.log" 2>&1 &
other=$!
otherWindow=$(n2e_find_window '^xmessage$') || n2e_fail "xmessage did not open"
read -r otherX otherY _ otherH < <(n2e_window_box "$otherWindow")

xdotool mousemove $((monitorWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
n2e_wait_canvas "$monitorHeight"
canvasHeight=$((monitorHeight - N2E_TOP))
read -r x y w _ < <(n2e_window_box "$window")
[ "$x" -eq 0 ] && [ "$w" -eq "$monitorWidth" ] || n2e_fail "the toy's window is $w wide at $x, not maximised on the first monitor"

onSecond() { n2e_brightest "$shot" "${monitorWidth}x${monitorHeight}+${monitorWidth}+0"; }  # the second monitor's brightest on $shot
curtainShown() {  # curtainShown SHOT_NAME: waits until the second monitor is all black
    local name=$1
    n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot "$name"); [ "$(onSecond)" -eq 0 ]'
}
# The toy looks where the focus went a quarter of a second after it moved,
# so a curtain that must stay is looked at, again and again, for twice that.
curtainStays() {  # curtainStays SHOT_NAME: fails unless every look shows it
    local until=$((${EPOCHREALTIME/./} + 500000))
    while [ "${EPOCHREALTIME/./}" -lt "$until" ]; do
        shot=$(n2e_screenshot "$1")
        [ "$(onSecond)" -eq 0 ] || return 1
    done
}
curtainShown curtain || n2e_fail "the second monitor is not all black, see $N2E_DIR/curtain.png"
curtain=$(xdotool search --onlyvisible --classname '^scrivlet-curtain$' | head -n 1)
[ -n "$curtain" ] || n2e_fail "no visible window of class scrivlet-curtain"
read -r x y w h < <(n2e_window_box "$curtain")
[ "$x $y $w $h" = "$monitorWidth 0 $monitorWidth $monitorHeight" ] || n2e_fail "the curtain is at $x,$y ${w}x$h, not over the second monitor"
[ "$(xdotool search --classname '^scrivlet-curtain$' | wc -l)" -eq 1 ] || n2e_fail "more than one curtain window for one other monitor"

# A click and a wheel turn on the curtain, where the other program's button
# lies beneath, then a key with the pointer still there: a blossom where the
# core puts the first stamp on this canvas, which also says that the toy has
# handled the click and the wheel before it. The other program lives on,
# the toy stays active and holds the keyboard, and nothing but the blossom
# (its black copy, A*5/2 by B*5/2, is the most it reaches) is drawn.
xdotool mousemove $((otherX + 35)) $((otherY + otherH - 16)) click 1 click 4 key a
read -r _ stampX stampY stampA stampB stampColour _ < <(printf 'size %s %s\nkey\n' "$monitorWidth" "$canvasHeight" | "$replay" | grep '^stamp')
[ -n "$stampColour" ] || n2e_fail "scrivlet-replay predicted no stamp"
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot stamp); seen=$(n2e_pixel "$shot" "$stampX" $((stampY + N2E_TOP))); [ "$seen" = "$stampColour" ]' ||
    n2e_fail "the blossom's centre ($stampX,$stampY) is $seen, not $stampColour; see $shot"
kill -0 "$other" 2>/dev/null || n2e_fail "the click on the curtain reached the other program's button"
[ "$(xdotool getactivewindow)" = "$window" ] || n2e_fail "the toy is not the active window after a click on the curtain"
"$probe"
[ $? -eq 3 ] || n2e_fail "the toy does not hold the keyboard after a click on the curtain"
reach=$(((stampA > stampB ? stampA : stampB) * 5 / 4 + 2)) y=$((stampY + N2E_TOP))
/usr/bin/convert "$shot" -fill black -draw "rectangle $((stampX - reach)),$((y - reach)) $((stampX + reach)),$((y + reach))" "$N2E_DIR/unstamped.png"
[ "$(n2e_brightest "$N2E_DIR/unstamped.png" "${monitorWidth}x${canvasHeight}+0+$N2E_TOP")" -eq 0 ] ||
    n2e_fail "something was drawn after the click on the curtain, see $shot"
[ "$(onSecond)" -eq 0 ] || n2e_fail "the curtain is gone after a click on it, see $shot"

# A stroke from the bottom left, then over the curtain and back: no line
# joins the stroke's end to the point where the pointer comes back. A step
# on from there draws, once the toy has handled every move before it.
y=$((monitorHeight - 60))
xdotool mousemove 100 $y mousemove 150 $y mousemove 200 $y mousemove 1600 $y mousemove 700 $y mousemove 750 $y
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot stroke); [ "$(n2e_brightest "$shot" "5x9+723+$((y - 4))")" -gt 0 ]' ||
    n2e_fail "no stroke after the pointer came back from the curtain, see $shot"
[ "$(n2e_brightest "$shot" "5x5+148+$((monitorHeight - 62))")" -gt 0 ] || n2e_fail "the stroke is missing, see $shot"
for x in 300 450 600; do
    [ "$(n2e_brightest "$shot" "5x9+$((x - 2))+$((monitorHeight - 64))")" -eq 0 ] ||
        n2e_fail "a line joins the stroke to the point after the curtain, at x $x; see $shot"
done

# The other program activated, as a parent's Alt-Tab does: the curtain goes.
xdotool mousemove $((monitorWidth / 2)) 5
xdotool windowactivate "$otherWindow" 2>/dev/null
n2e_until "$N2E_WAIT" '! xdotool search --onlyvisible --classname "^scrivlet-curtain\$" >/dev/null' ||
    n2e_fail "the curtain is still shown while another program is active"
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot away); [ "$(onSecond)" -gt 0 ]' ||
    n2e_fail "the second monitor is still black while another program is active, see $shot"

# The toy activated again (a click on its title bar): the curtain is back.
xdotool click 1
curtainShown back || n2e_fail "no curtain after the toy was activated again, see $N2E_DIR/back.png"

# The toy's own dialog keeps them: File > Options, then Escape.
n2e_menu f o
dialog=$(n2e_find_window '^Scrivlet options$') || n2e_fail "no window \"Scrivlet options\" after Alt-F, o"
n2e_until "$N2E_WAIT" '[ "$(xdotool getactivewindow)" = "$dialog" ]' || n2e_fail "the options dialog never became active"
curtainStays dialog || n2e_fail "the curtain went while the toy's options dialog was open, see $shot"
xdotool key Escape
n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" || n2e_fail "the toy's window is not active again after the dialog"
curtainStays dialog-closed || n2e_fail "no curtain after the options dialog closed, see $shot"

n2e_menu f x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F, x"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after Alt-F, x"
kill "$other" 2>/dev/null
wait "$other" 2>/dev/null
n2e_pass
