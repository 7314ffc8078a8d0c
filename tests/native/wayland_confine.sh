#!/bin/bash
# The native program on Wayland with "Clip mouse pointer" on: weston of the
# script's own runs on its X11 backend inside an Xvfb, taking its input from
# the X server, so xdotool drives the toy through weston. A pointer pushed
# above the drawing area and along it stays on the area's top row (the toy
# draws along it and hears no leave), and the title shows the menu hint;
# File > Exit ends the toy with 0 and the pointer then goes above where the
# area's top was. Every step waits for what the toy hears and asks for in
# its own Wayland traffic (WAYLAND_DEBUG); where the pointer is comes from
# the screen.
# Usage: wayland_confine.sh SCRIVLET
set -uo pipefail

program=${1:?usage: wayland_confine.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

for name in weston Xvfb xdotool xwininfo import /usr/bin/convert; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
width=1280 height=800

# Weston's X11 backend moves its own pointer by the steps of the X pointer
# and takes a place from the X pointer only when it enters weston's window.
# The screen is taller than that window, so that the X pointer can come in
# from below it and put weston's pointer exactly where the X pointer is.
n2e_start_weston_on_x ${width}x$((height + 100)) 1 scrivlet-confine --width=$width --height=$height
westonWindow=$N2E_WESTON_WINDOWS
read -r left top _ < <(n2e_window_box "$westonWindow")
outside=$((top + height + 50))
xdotool mousemove $((left + 640)) $outside

# "Clip mouse pointer" on, the other flags as the defaults have them; the
# rest of the record stays the default.
mkdir -p "$(dirname "$N2E_OPTIONS")"
printf '\1\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\1\0\0\0' >"$N2E_OPTIONS"
traffic=$N2E_DIR/program.log
(
    unset DISPLAY
    export GDK_BACKEND=wayland WAYLAND_DEBUG=client
    exec "$program"
) >>"$traffic" 2>&1 &
N2E_PID=$!

# Prints the first line of the toy's traffic after its first $1 lines that
# matches the pattern $2, waiting up to N2E_WAIT seconds; returns 1 if none
# came.
heard() {
    local line
    for _ in $(seq $((N2E_WAIT * 20))); do
        line=$(tail -n +"$(($1 + 1))" "$traffic" | grep -m 1 -e "$2")
        [ -n "$line" ] && echo "$line" && return 0
        kill -0 "$N2E_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}
lines() { wc -l <"$traffic"; }

# The toy has made its canvas, and with it asked for its last confinement,
# once the title shows the hint and the black canvas is on the screen. The
# drawing area as the toy gave it to the compositor to confine to, in its
# surface's coordinates, is that confinement's region.
heard 0 'set_title("Scrivlet. (Alt-F - menu)")' >/dev/null ||
    n2e_fail "the title never showed the menu hint; see $traffic"
areaTop="" canvasTop=""
for _ in $(seq $((N2E_WAIT * 5))); do
    # The toy fills the region just before it asks for the confinement;
    # a region's id is used again for later regions.
    areaTop=$(grep -B1 'confine_pointer(new id' "$traffic" | grep -o 'wl_region@[0-9]*\.add([-0-9]*, [-0-9]*' |
        tail -n 1 | sed 's/.*, //')
    # The canvas's top is the first black row down the screen's left edge
    # below weston's panel, GTK's title bar and the menu bar, all of which
    # lie within the area's top rows; the canvas below it is all black.
    shot=$(n2e_screenshot start)
    canvasTop=$(/usr/bin/convert "$shot" -crop "1x$((height - ${areaTop:-0}))+$((left + 2))+$((top + ${areaTop:-0}))" +repage \
        -depth 8 txt:- 2>/dev/null | awk -F'[,:]' '/#000000/ { print $2; exit }')
    if [ -n "$areaTop" ] && [ "$areaTop" -gt 0 ] && [ -n "$canvasTop" ]; then
        canvasTop=$((canvasTop + areaTop))
        [ "$(n2e_brightest "$shot" "100x$((height - canvasTop))+$left+$((top + canvasTop))")" -eq 0 ] && break
    fi
    canvasTop=""
    sleep 0.2
done
[ -n "$canvasTop" ] || n2e_fail "no black canvas below a confinement's top row (${areaTop:-none}); see $traffic and $shot"

# In from below: weston's pointer enters the toy's surface. Weston confines
# a pointer only on the surface it was last clicked on.
mark=$(lines)
xdotool mousemove $((left + 640)) $((top + 400))
heard "$mark" 'wl_pointer@[0-9]*\.enter(' >/dev/null || n2e_fail "weston's pointer never entered the toy's surface; see $traffic"
xdotool click 1
heard "$mark" 'wl_pointer@[0-9]*\.button([0-9]*, [0-9]*, [0-9]*, 0)' >/dev/null ||
    n2e_fail "the toy never heard the click on it; see $traffic"

# The push goes past the area's top to the row of GTK's title bar (the X
# pointer is not held, weston's is), then along it to x 900.
motionAt() {  # motionAt FROM_LINE PATTERN_OF_X: the toy's first motion there, as "X Y"
    heard "$1" "wl_pointer@[0-9]*\.motion([0-9]*, $2\." | sed 's/.*motion([0-9]*, //; s/\.[0-9]*//g; s/,//; s/).*//'
}
mark=$(lines)
xdotool mousemove $((left + 640)) $((top + 200))
motionAt "$mark" '640' >/dev/null || n2e_fail "the toy heard no move to (640,200); see $traffic"
pushed=$(lines)
xdotool mousemove $((left + 640)) $((top + 45))
xdotool mousemove $((left + 900)) $((top + 45))
read -r motionX motionY < <(motionAt "$pushed" '900')
tail -n +"$((pushed + 1))" "$traffic" | grep -q 'wl_pointer@[0-9]*\.leave(' &&
    n2e_fail "the pointer left the toy's surface while confined; see $traffic"
[ "${motionY:-}" = "$areaTop" ] ||
    n2e_fail "pushed past the top, the toy heard the pointer at (${motionX:-?},${motionY:-?}), not along its top row $areaTop"
[ "$(grep -o 'set_title("[^"]*")' "$traffic" | tail -n 1)" = 'set_title("Scrivlet. (Alt-F - menu)")' ] ||
    n2e_fail "the title is not \"Scrivlet. (Alt-F - menu)\" while the pointer is held; see $traffic"
# The stroke slid along the canvas's top row.
stroke=0
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot confined)
    stroke=$(n2e_brightest "$shot" "40x6+$((left + 760))+$((top + canvasTop))")
    [ "$stroke" -gt 0 ] && break
    sleep 0.2
done
[ "$stroke" -gt 0 ] || n2e_fail "no stroke along the canvas's top row below the menu bar, see $shot"

# Alt-F held as a hand holds it until weston has placed the menu: weston
# refuses a grab asked for with the serial of a key it has seen released,
# and it has read the menu's grab by the time it places the menu.
mark=$(lines)
xdotool keydown alt keydown f
heard "$mark" 'xdg_popup@[0-9]*\.configure(' >/dev/null || n2e_fail "Alt-F opened no menu that weston placed; see $traffic"
xdotool keyup f keyup alt key x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after File > Exit"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after File > Exit"

# Free again: in from below at a row above where the area's top was, which
# it could not pass before. Weston draws its pointer there: the white rim
# of its arrow on the grey desktop below the panel.
windowTop=$((canvasTop - areaTop))
xdotool mousemove $((left + 640)) $outside
xdotool mousemove $((left + 640)) $((top + windowTop + areaTop / 2))
rim=0
for _ in $(seq $((N2E_WAIT * 5))); do
    shot=$(n2e_screenshot freed)
    rim=$(/usr/bin/convert "$shot" -crop "${width}x$((areaTop - 2))+$left+$((top + windowTop + 1))" +repage \
        -depth 8 txt:- 2>/dev/null | grep -c '#FFFFFF')
    [ "$rim" -gt 0 ] && break
    sleep 0.2
done
[ "$rim" -gt 0 ] || n2e_fail "after File > Exit the pointer was not seen above the area's former top row, see $shot"
n2e_pass
