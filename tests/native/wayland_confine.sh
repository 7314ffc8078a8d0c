#!/bin/bash
# The native program on Wayland with "Clip mouse pointer" on: weston of the
# script's own runs on its X11 backend inside an Xvfb, taking its input from
# the X server, so xdotool drives the toy through weston. A pointer pushed
# above the drawing area and along it stays on the area's top row (the toy
# draws along it and hears no leave), and the title shows the menu hint;
# File > Exit ends the toy with 0 and the pointer then goes above where the
# area's top was. What the toy hears and asks for is read from its own
# Wayland traffic (WAYLAND_DEBUG), where the pointer is from the screen.
# Usage: wayland_confine.sh SCRIVLET
set -uo pipefail

program=${1:?usage: wayland_confine.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

for name in weston Xvfb xdotool xwininfo import /usr/bin/convert; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
width=1280 height=800

n2e_start_weston_on_x ${width}x${height} 1 scrivlet-confine --width=$width --height=$height
westonWindow=$N2E_WESTON_WINDOWS
read -r left top _ < <(n2e_window_box "$westonWindow")

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

# The drawing area as the toy gave it to the compositor to confine to, in
# its surface's coordinates: the region of the last confinement asked for.
areaTop=""
for _ in $(seq $((N2E_WAIT * 10))); do
    region=$(grep -o 'confine_pointer(new id zwp_confined_pointer_v1@[0-9]*, wl_surface@[0-9]*, wl_pointer@[0-9]*, wl_region@[0-9]*' \
        "$traffic" | tail -n 1 | sed 's/.*wl_region@//')
    if [ -n "$region" ] && grep -q "set_title(\"Scrivlet. (Alt-F - menu)\")" "$traffic"; then
        areaTop=$(grep -o "wl_region@$region\.add([-0-9]*, [-0-9]*" "$traffic" | tail -n 1 | sed 's/.*, //')
        [ -n "$areaTop" ] && [ "$areaTop" -gt 0 ] && break
    fi
    sleep 0.1
done
[ -n "$areaTop" ] || n2e_fail "no confinement below the menu bar with the menu hint in the title; see $traffic"
kill -0 "$N2E_PID" 2>/dev/null || n2e_fail "the program ended by itself"
sleep 1

# Weston confines a pointer only on a surface it was last clicked on. The
# push goes past the area's top to the row of GTK's title bar (the X pointer
# is not held, weston's is), then along it.
xdotool mousemove $((left + 640)) $((top + 400)) click 1
sleep 0.3
xdotool mousemove $((left + 640)) $((top + 200))
sleep 0.3
pushed=$(wc -l <"$traffic")
xdotool mousemove $((left + 640)) $((top + 45))
sleep 0.3
xdotool mousemove $((left + 900)) $((top + 45))
# The toy has heard the move along once a motion reaches x 850; its row is
# what counts.
motionX=0 motionY=""
for _ in $(seq $((N2E_WAIT * 10))); do
    read -r motionX motionY < <(tail -n +"$pushed" "$traffic" |
        grep -o 'wl_pointer@[0-9]*\.motion([0-9]*, [-0-9.]*, [-0-9.]*' | tail -n 1 |
        sed 's/.*motion([0-9]*, //; s/\.[0-9]*//g; s/,//')
    [ "${motionX:-0}" -ge 850 ] && break
    sleep 0.1
done
tail -n +"$pushed" "$traffic" | grep -q 'wl_pointer@[0-9]*\.leave(' &&
    n2e_fail "the pointer left the toy's surface while confined; see $traffic"
[ "${motionY:-}" = "$areaTop" ] && [ "${motionX:-0}" -ge 850 ] ||
    n2e_fail "pushed past the top, the toy heard the pointer at (${motionX:-?},${motionY:-?}), not along its top row $areaTop"
[ "$(grep -o 'set_title("[^"]*")' "$traffic" | tail -n 1)" = 'set_title("Scrivlet. (Alt-F - menu)")' ] ||
    n2e_fail "the title is not \"Scrivlet. (Alt-F - menu)\" while the pointer is held; see $traffic"
# The stroke slid along the canvas's top row: the first black row down the
# screen's left edge, below weston's panel, GTK's title bar and the menu bar.
stroke=""
for _ in $(seq $((N2E_WAIT * 2))); do
    shot=$(n2e_screenshot confined)
    canvasTop=$(/usr/bin/convert "$shot" -crop "1x${height}+$((left + 2))+$top" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[,:]' '/#000000/ { print $2; exit }')
    if [ -n "$canvasTop" ] && [ "$canvasTop" -gt "$areaTop" ] &&
        [ "$(n2e_brightest "$shot" "40x6+$((left + 760))+$((top + canvasTop))")" -gt 0 ]; then
        stroke=1
        break
    fi
    sleep 0.5
done
[ -n "$stroke" ] || n2e_fail "no stroke along the canvas's top row below the menu bar, see $shot"

# Alt-F held as a hand holds it: weston refuses a menu's grab asked for
# with the serial of a key already released, and xdotool's own key is
# released sooner than a busy machine shows the menu.
xdotool keydown alt keydown f
sleep 0.3
xdotool keyup f keyup alt
sleep 1
xdotool key x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after File > Exit"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after File > Exit"

# Free again: weston moves its pointer by the X pointer's steps, so a step
# up from the middle to the screen's top row takes it above where the
# area's top was, which it could not pass before. Weston draws it there:
# the white rim of its arrow on the grey desktop below the panel.
xdotool mousemove $((left + 640)) $((top + 400))
sleep 0.3
xdotool mousemove $((left + 640)) "$top"
windowTop=$((canvasTop - areaTop))
rim=0
for _ in $(seq $((N2E_WAIT * 2))); do
    sleep 0.5
    shot=$(n2e_screenshot freed)
    rim=$(/usr/bin/convert "$shot" -crop "${width}x$((areaTop - 2))+$left+$((top + windowTop + 1))" +repage \
        -depth 8 txt:- 2>/dev/null | grep -c '#FFFFFF')
    [ "$rim" -gt 0 ] && break
done
[ "$rim" -gt 0 ] || n2e_fail "after File > Exit the pointer was not seen above the area's former top row, see $shot"
n2e_pass
