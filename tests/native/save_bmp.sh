#!/bin/bash
# End to end through the native program's File > Save as BMP: GTK's chooser,
# reached with Alt-F, s, takes a typed name without extension; the file it
# writes (with ".bmp" added) equals the drawing area on the screen pixel for
# pixel. A save into a folder that cannot be written shows "Picture not
# saved" and the toy goes on; Alt-F4 then ends it with 0.
# Usage: save_bmp.sh SCRIVLET
set -uo pipefail

program=${1:?usage: save_bmp.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
chooserTitle="Choose filename to save the image"

saveAs() { n2e_save_as "$chooserTitle" f s "$1"; }

xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
n2e_wait_title "$window" Scrivlet >/dev/null || n2e_fail "the window never got its title"
n2e_wait_canvas "$screenHeight"
xdotool key a b c d e f g h

saveAs "$N2E_DIR/picture"
n2e_until "$N2E_WAIT" '[ -s "$N2E_DIR/picture.bmp" ]' || n2e_fail "no $N2E_DIR/picture.bmp after saving"
read -r bmpWidth bmpHeight < <(identify -format '%w %h\n' "$N2E_DIR/picture.bmp")
[ "$bmpWidth" -eq "$screenWidth" ] && [ "$bmpHeight" -eq $((screenHeight - N2E_TOP)) ] ||
    n2e_fail "the file is ${bmpWidth}x${bmpHeight}, the drawing area ${screenWidth}x$((screenHeight - N2E_TOP))"
# Once the chooser has gone and the window has been redrawn, the screen
# shows what the file holds.
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot saved)
    /usr/bin/convert "$shot" -crop "${bmpWidth}x${bmpHeight}+0+$N2E_TOP" +repage "$N2E_DIR/area.png"
    differ=$(compare -metric AE "$N2E_DIR/area.png" "$N2E_DIR/picture.bmp" null: 2>&1); [ "$differ" = 0 ]' ||
    n2e_fail "the file differs from the drawing area in $differ pixels; see $shot"
[ "$(n2e_brightest "$N2E_DIR/area.png" "${bmpWidth}x${bmpHeight}+0+0")" -gt 0 ] ||
    n2e_fail "the drawing area is all black: nothing was drawn to compare"

# Nobody can make files in /proc, not even root.
saveAs /proc/picture
n2e_find_window '^Picture not saved$' >/dev/null ||
    n2e_fail "no \"Picture not saved\" box after saving into /proc; see $(n2e_screenshot no-box)"
n2e_screenshot failed >/dev/null
xdotool key Return
n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" && kill -0 "$N2E_PID" 2>/dev/null ||
    n2e_fail "the toy ended after a failed save, or its window was not active again"

# Alt-F4 closes the toy, as on Windows, although the window manager never
# sees it while the toy holds the keyboard.
xdotool key alt+F4
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F4"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after Alt-F4"
n2e_pass
