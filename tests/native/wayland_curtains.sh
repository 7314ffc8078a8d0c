#!/bin/bash
# The native program on Wayland over two monitors: weston of the script's
# own on its X11 backend with two outputs (two X windows, put side by side)
# inside an Xvfb. The toy maximises on the first output and a black curtain
# covers the whole second one, weston's panel and grey desktop included. A
# click on the curtain draws nothing; weston gives the curtain the keyboard,
# and a key released there stamps a blossom on the toy's canvas. After
# File > Exit nothing of the toy remains on either output.
# Usage: wayland_curtains.sh SCRIVLET
set -uo pipefail

program=${1:?usage: wayland_curtains.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

for name in weston Xvfb xdotool xwininfo import /usr/bin/convert; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
width=1280 height=800

n2e_start_weston_on_x $((2 * width + 40))x$((height + 100)) 2 scrivlet-curtains --width=$width --height=$height \
    --use-pixman
# Weston opens both outputs' windows at the screen's corner: the second goes
# to the right of the first, where its input is read from too.
second=$(printf '%s\n' "$N2E_WESTON_WINDOWS" | sed -n 2p)
xdotool windowmove "$second" "$width" 0
n2e_until "$N2E_WAIT" 'read -r secondX _ < <(n2e_window_box "$second"); [ "$secondX" -eq "$width" ]' ||
    n2e_fail "weston's second output could not be put beside the first"
# Weston draws its pointer where it was last seen (at first, between the
# outputs): it is kept on the first output's panel, off what is looked at.
# Weston puts its pointer where the X pointer is only when that enters one
# of its windows from outside them (from below here); from one window into
# the other it moves it by the X pointer's steps, and may stop it at the
# output's edge. From a press until it has read the release, weston holds
# the X pointer inside the window pressed on: the pointer goes below once
# it is free to.
park() {
    n2e_until "$N2E_WAIT" 'xdotool mousemove $((width / 2)) $((height + 50)); [ "$(xdotool getmouselocation | cut -d" " -f2)" = y:$((height + 50)) ]' ||
        n2e_fail "the X pointer is held in weston's window"
    xdotool mousemove $((width / 2)) 10
}
park
# Before the toy: weston's grey desktop on the second output is not black.
onSecond() { n2e_brightest "$shot" "${width}x${height}+${width}+0"; }  # the second output's brightest on $shot
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot before); [ "$(onSecond)" -gt 0 ]' ||
    n2e_fail "the second output is black before the toy starts, see $shot"

traffic=$N2E_DIR/program.log
(
    unset DISPLAY
    export GDK_BACKEND=wayland WAYLAND_DEBUG=client
    exec "$program"
) >>"$traffic" 2>&1 &
N2E_PID=$!
lines() { wc -l <"$traffic"; }
heard() {  # heard LINES PATTERN: waits until the toy's traffic after its first LINES lines has the pattern
    local from=$(($1 + 1)) pattern=$2
    n2e_until "$N2E_WAIT" 'tail -n +"$from" "$traffic" | grep -q -e "$pattern"'
}

secondBlack() {  # secondBlack SHOT_NAME: waits until the whole second output is black
    local name=$1
    n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot "$name"); [ "$(onSecond)" -eq 0 ]'
}
secondBlack curtain || n2e_fail "the second output is not all black with the toy running, see $shot"
[ "$(grep -c 'set_fullscreen(wl_output@' "$traffic")" -eq 1 ] || n2e_fail "not one curtain fullscreen on an output; see $traffic"
# The canvas: the toy's output below its menu bar, all black once it is made.
canvasBox="${width}x$((height - 100))+0+100"
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot canvas)
    [ "$(n2e_brightest "$shot" "$canvasBox")" -eq 0 ] && grep -q "confine_pointer\|set_title(\"Scrivlet\")" "$traffic"' ||
    n2e_fail "no black canvas on the first output, see $shot"

# A click on the curtain, once weston's pointer is on it: nothing drawn, the
# curtain stays. The toy has handled the click once it has heard its
# release; the curtain's output is all black again once weston has drawn
# its pointer back on the panel. The toy's window and the curtain are its
# first two surfaces.
read -r toy curtain < <(grep -o 'get_xdg_surface(new id xdg_surface@[0-9]*, wl_surface@[0-9]*' "$traffic" | sed 's/.*wl_surface@//' | paste -sd ' ')
mark=$(lines)
xdotool mousemove $((width + width / 2)) $((height + 50)) mousemove $((width + width / 2)) $((height / 2))
heard "$mark" "wl_pointer@[0-9]*\.enter([0-9]*, wl_surface@$curtain," || n2e_fail "weston's pointer never entered the curtain; see $traffic"
xdotool click 1
heard "$mark" 'wl_pointer@[0-9]*\.button([0-9]*, [0-9]*, [0-9]*, 0)' || n2e_fail "the toy never heard the click on the curtain; see $traffic"
park
heard "$mark" "wl_pointer@[0-9]*\.leave([0-9]*, wl_surface@$curtain)" || n2e_fail "weston's pointer never left the curtain; see $traffic"
secondBlack clicked || n2e_fail "the curtain is gone after a click on it, see $shot"
[ "$(n2e_brightest "$shot" "$canvasBox")" -eq 0 ] || n2e_fail "the click on the curtain drew on the canvas, see $shot"

# A key: a blossom on the canvas, wherever the keyboard is.
xdotool key a
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot stamped); [ "$(n2e_brightest "$shot" "$canvasBox")" -gt 0 ]' ||
    n2e_fail "a key after the click on the curtain stamped nothing on the canvas, see $shot"
[ "$(onSecond)" -eq 0 ] || n2e_fail "something was drawn on the curtain, see $shot"

# File > Exit from the toy's window: a click on its title bar gives it the
# keyboard (weston has no way for a client to take it back), then Alt-F
# held as a hand holds it until weston has placed the menu: weston refuses
# a grab asked for with the serial of a key it has seen released, and it
# has read the menu's grab by the time it places the menu.
mark=$(lines)
xdotool mousemove $((width / 2)) 45 click 1
heard "$mark" "wl_keyboard@[0-9]*\.enter([0-9]*, wl_surface@$toy," || n2e_fail "the toy's window never got the keyboard; see $traffic"
xdotool mousemove $((width / 2)) 10
mark=$(lines)
xdotool keydown alt keydown f
heard "$mark" 'xdg_popup@[0-9]*\.configure(' || n2e_fail "Alt-F opened no menu that weston placed; see $traffic"
xdotool keyup f keyup alt key x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after File > Exit"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after File > Exit"
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot exited); [ "$(onSecond)" -gt 0 ] && [ "$(n2e_brightest "$shot" "$canvasBox")" -gt 0 ]' ||
    n2e_fail "after File > Exit an output is still black, see $shot"
n2e_pass
