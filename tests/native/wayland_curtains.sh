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
for _ in $(seq $((N2E_WAIT * 10))); do
    read -r secondX _ < <(n2e_window_box "$second")
    [ "$secondX" -eq "$width" ] && break
    sleep 0.1
done
[ "$secondX" -eq "$width" ] || n2e_fail "weston's second output could not be put beside the first"
# Weston draws its pointer where it was last seen (at first, between the
# outputs): it is kept on the first output's panel, off what is looked at.
xdotool mousemove $((width / 2 - 40)) 10 sleep 0.2 mousemove $((width / 2)) 10
# Before the toy: weston's grey desktop on the second output is not black.
grey=""
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot before)
    [ "$(n2e_brightest "$shot" "${width}x${height}+${width}+0")" -gt 0 ] && grey=1 && break
    sleep 0.2
done
[ -n "$grey" ] || n2e_fail "the second output is black before the toy starts, see $shot"

traffic=$N2E_DIR/program.log
(
    unset DISPLAY
    export GDK_BACKEND=wayland WAYLAND_DEBUG=client
    exec "$program"
) >>"$traffic" 2>&1 &
N2E_PID=$!

secondBlack() {  # secondBlack SHOT_NAME: the whole second output is black
    for _ in $(seq $((N2E_WAIT * 5))); do
        shot=$(n2e_screenshot "$1")
        [ "$(n2e_brightest "$shot" "${width}x${height}+${width}+0")" -eq 0 ] && return 0
        sleep 0.2
    done
    return 1
}
secondBlack curtain || n2e_fail "the second output is not all black with the toy running, see $shot"
[ "$(grep -c 'set_fullscreen(wl_output@' "$traffic")" -eq 1 ] || n2e_fail "not one curtain fullscreen on an output; see $traffic"
# The canvas: the toy's output below its menu bar, all black once it is made.
canvasBox="${width}x$((height - 100))+0+100"
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot canvas)
    [ "$(n2e_brightest "$shot" "$canvasBox")" -eq 0 ] && grep -q 'confine_pointer\|set_title("Scrivlet")' "$traffic" && break
    sleep 0.2
done
sleep 1

# A click on the curtain: nothing drawn, the curtain stays.
xdotool mousemove $((width + width / 2)) $((height / 2))
sleep 0.3
xdotool click 1
sleep 0.5
xdotool mousemove $((width / 2)) 10
sleep 0.5
shot=$(n2e_screenshot clicked)
[ "$(n2e_brightest "$shot" "$canvasBox")" -eq 0 ] || n2e_fail "the click on the curtain drew on the canvas, see $shot"
[ "$(n2e_brightest "$shot" "${width}x${height}+${width}+0")" -eq 0 ] || n2e_fail "the curtain is gone after a click on it, see $shot"

# A key: a blossom on the canvas, wherever the keyboard is.
xdotool key a
stamped=""
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot stamped)
    [ "$(n2e_brightest "$shot" "$canvasBox")" -gt 0 ] && stamped=1 && break
    sleep 0.2
done
[ -n "$stamped" ] || n2e_fail "a key after the click on the curtain stamped nothing on the canvas, see $shot"
[ "$(n2e_brightest "$shot" "${width}x${height}+${width}+0")" -eq 0 ] || n2e_fail "something was drawn on the curtain, see $shot"

# File > Exit from the toy's window: a click on its title bar gives it the
# keyboard (weston has no way for a client to take it back), then Alt-F as
# a hand holds it (see wayland_confine.sh).
xdotool mousemove $((width / 2)) 45 click 1
sleep 0.3
xdotool mousemove $((width / 2)) 10
sleep 0.3
xdotool keydown alt keydown f
sleep 0.3
xdotool keyup f keyup alt
sleep 1
xdotool key x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after File > Exit"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after File > Exit"
gone=""
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot exited)
    [ "$(n2e_brightest "$shot" "${width}x${height}+${width}+0")" -gt 0 ] &&
        [ "$(n2e_brightest "$shot" "$canvasBox")" -gt 0 ] && gone=1 && break
    sleep 0.2
done
[ -n "$gone" ] || n2e_fail "after File > Exit an output is still black, see $shot"
n2e_pass
