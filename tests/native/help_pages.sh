#!/bin/bash
# End to end through the native program's help: Help > Contents and the
# options dialog's Help button open the toy's own help pages (the page, then
# its Options section) in the desktop's browser, here a stand-in browser
# that writes down what it was asked to open (GIO gives it a plain page as
# a path, a page with an anchor as a file URI).
# Usage: help_pages.sh SCRIVLET
set -uo pipefail

program=${1:?usage: help_pages.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)

n2e_stand_in_browser
opened=$N2E_OPENED

# Waits until the browser has been asked to open $1 pages in all.
waitOpened() {
    local pages=$1
    n2e_until "$N2E_WAIT" '[ -f "$opened" ] && [ "$(wc -l <"$opened")" -ge "$pages" ]'
}

xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
n2e_wait_title "$window" Scrivlet >/dev/null || n2e_fail "the window never got its title"
n2e_wait_canvas "$screenHeight"

# Alt-H opens Help; c picks Contents by its first letter, as in the
# Windows program (the item has no mnemonic).
n2e_menu h c
waitOpened 1 || n2e_fail "Help > Contents opened nothing"
page=$(sed -n 1p "$opened")
[[ "$page" == */help/scrivlet.htm ]] || n2e_fail "Help > Contents opened \"$page\""
[ -f "$(dirname "$program")/help/scrivlet.htm" ] || n2e_fail "no help pages beside the program"

# Help is the last button, in the dialog's bottom right corner, laid out
# and placed before the dialog shows. The dialog stays open.
n2e_menu f o
dialog=$(n2e_find_window '^Scrivlet options$') ||
    n2e_fail "no window \"Scrivlet options\" after Alt-F, o"
read -r x y w h < <(n2e_window_box "$dialog")
xdotool mousemove $((x + w - 40)) $((y + h - 20)) click 1
waitOpened 2 || n2e_fail "the dialog's Help opened nothing; see $(n2e_screenshot dialog-help)"
page=$(sed -n 2p "$opened")
[[ "$page" == file://*/help/scrivlet.htm#Options ]] || n2e_fail "the dialog's Help opened \"$page\""
xdotool search --onlyvisible --name '^Scrivlet options$' >/dev/null || n2e_fail "the dialog closed on Help"
xdotool key Escape

n2e_menu f x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F, x"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS"
n2e_pass
