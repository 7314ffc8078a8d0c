#!/bin/bash
# The native program on Wayland: on a headless weston of the script's own it
# opens maximised over the whole output with its menu bar and a black canvas,
# and the end of the session (SIGTERM) ends it with status 0, storing its
# options. Without an X display it cannot fall back to X11. Headless weston
# has no input devices, so the drawing itself is left to the X11 scripts;
# with no pointer to confine, "Clip mouse pointer" on leaves the title
# "Scrivlet" (read from the toy's own Wayland traffic) and fails nothing.
# Usage: wayland.sh SCRIVLET
set -uo pipefail

program=${1:?usage: wayland.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

for name in weston weston-screenshooter; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
export XDG_RUNTIME_DIR=$N2E_DIR/run WAYLAND_DISPLAY=scrivlet-wayland-$$ GDK_BACKEND=wayland
unset DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
width=1280 height=800
# --debug lets weston-screenshooter take the output's picture; the pixman
# renderer gives it pixels to take.
weston --debug --use-pixman --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" \
    --width=$width --height=$height --idle-time=0 >"$N2E_DIR/weston.log" 2>&1 &
N2E_WM=$!
n2e_until "$N2E_WAIT" '[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]' || n2e_fail "weston did not start, see $N2E_DIR/weston.log"

# "Clip mouse pointer" on, the other flags as the defaults have them.
mkdir -p "$(dirname "$N2E_OPTIONS")"
printf '\1\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\1\0\0\0' >"$N2E_OPTIONS"
WAYLAND_DEBUG=client n2e_start "$program"
# Maximised: the bottom-right corner of the output and the middle are the
# black canvas (weston's background is grey), and the menu bar's row near
# the top is not black.
mkdir -p "$N2E_DIR/shots"
n2e_until "$N2E_WAIT" 'rm -f "$N2E_DIR"/shots/*.png
    (cd "$N2E_DIR/shots" && timeout 10 weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$N2E_DIR"/shots/*.png 2>/dev/null | head -n 1)
    [ -n "$shot" ] && [ "$(n2e_brightest "$shot" "$((width / 2))x$((height / 2))+$((width / 2))+$((height / 2))")" -eq 0 ] &&
        [ "$(n2e_brightest "$shot" "${width}x40+0+40")" -gt 100 ]' ||
    n2e_fail "no maximised window with a black canvas on Wayland; see $N2E_DIR/shots and program.log"
cp "$shot" "$N2E_DIR/maximised.png"
# The toy makes its canvas, and tries to confine the pointer, a tenth of a
# second after it is maximised; with no seat nothing of that reaches the
# compositor (and GTK sends no title that has not changed), so its traffic
# is watched for half a second for a hint that must not come, and its
# titles are read again from its whole run.
until=$((${EPOCHREALTIME/./} + 500000))
while [ "${EPOCHREALTIME/./}" -lt "$until" ]; do
    grep -q 'set_title("Scrivlet\. ' "$N2E_DIR/program.log" && break
done
kill -0 "$N2E_PID" 2>/dev/null || n2e_fail "the program ended by itself"

kill -TERM "$N2E_PID"
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after SIGTERM"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after SIGTERM"
titles=$(grep -o 'set_title("[^"]*")' "$N2E_DIR/program.log" | sort -u | paste -sd ' ')
[ "$titles" = 'set_title("Scrivlet")' ] || n2e_fail "with no pointer to confine the titles were: $titles"
[ "$(stat -c %s "$N2E_OPTIONS" 2>/dev/null)" = 284 ] || n2e_fail "no 284-byte options file stored at the end"
n2e_pass
