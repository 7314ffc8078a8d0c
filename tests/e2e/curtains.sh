#!/bin/bash
# End to end through the Windows program on two monitors: Xephyr's two
# screens joined by Xinerama with openbox, and a Wine prefix of the script's
# own without the virtual desktop and with RandR off, so that Wine reports
# both monitors. The toy maximises on the first and a black curtain covers
# the second, over another program's window; a click there reaches no other
# program, draws nothing and leaves the toy active; a key after it stamps
# where scrivlet-replay predicts. Activating the other program removes the
# curtain and activating the toy again shows it again; the toy's options
# dialog keeps it.
# Usage: curtains.sh SCRIVLET_EXE SCRIVLET_REPLAY   (needs WINE, WINESERVER)
set -uo pipefail

exe=${1:?usage: curtains.sh SCRIVLET_EXE SCRIVLET_REPLAY}
replay=${2:?missing SCRIVLET_REPLAY}
. "$(dirname "$0")/lib.sh"

for name in WINE WINESERVER; do
    [ -n "${!name:-}" ] || e2e_fail "$name is not set: run through test.sh"
done
for name in Xvfb Xephyr openbox xmessage xdotool xwininfo xdpyinfo import /usr/bin/convert; do
    command -v "$name" >/dev/null || e2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
[ -f "$exe" ] || e2e_fail "no program at $exe"

wm="" other=""
finish() {
    e2e_cleanup
    [ -n "$other" ] && kill "$other" 2>/dev/null
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k >/dev/null 2>&1
        timeout 20 "$WINESERVER" -w >/dev/null 2>&1
        rm -rf "$WINEPREFIX"
    fi
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    x11_stop_two_monitors
}
trap finish EXIT

x11_start_two_monitors "$E2E_SHOTS" || e2e_fail "could not start Xvfb with Xephyr inside, see xvfb.log and xephyr.log in $E2E_SHOTS"
openbox --sm-disable </dev/null >"$E2E_SHOTS/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

# The test run's prefix has the virtual desktop, one monitor: this journey
# needs a prefix of its own. Every Wine process gets files or /dev/null for
# its output, never the test runner's pipe.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-wine2.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
quietWine() { "$WINE" "$@" </dev/null >>"$E2E_SHOTS/wine-setup.log" 2>&1; }
quietWine wineboot --init || e2e_fail "wineboot could not make a prefix in $WINEPREFIX"
quietWine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f
quietWine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
"$WINESERVER" -k >/dev/null 2>&1
timeout 20 "$WINESERVER" -w >/dev/null 2>&1
setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
setsid "$WINE" cmd /c exit </dev/null >/dev/null 2>&1

monitorWidth=1280 monitorHeight=800
# Its button lies near the bottom left of its window.
xmessage -geometry 400x200+1700+300 -buttons press-me "another program" >/dev/null 2>&1 &
other=$!
otherWindow=""
for _ in $(seq $((E2E_WAIT * 10))); do
    otherWindow=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n 1)
    [ -n "$otherWindow" ] && break
    sleep 0.1
done
[ -n "$otherWindow" ] || e2e_fail "xmessage did not open"
read -r otherX otherY _ otherH < <(x11_window_box "$otherWindow")

xdotool mousemove $((monitorWidth / 2)) 6
sleep 0.1
xdotool mousemove $((monitorWidth / 2)) 5
e2e_start "$exe"
# The first program of a new prefix starts its services first.
window=$(E2E_WAIT=60 e2e_wait_window) || e2e_fail "no window titled scrivlet appeared within 60s"

# The canvas: the first all-black row down the left edge, below the caption
# and the menu bar, black to the bottom of the first monitor.
top=""
for _ in $(seq $((E2E_WAIT * 5))); do
    shot=$(e2e_screenshot start)
    top=$(/usr/bin/convert "$shot" -crop "1x${monitorHeight}+2+0" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[,:]' '/#000000/ { print $2; exit }')
    if [ -n "$top" ] && [ "$top" -ge 20 ] &&
        [ "$(e2e_brightest "$shot" "100x$((monitorHeight - top))+0+$top")" -eq 0 ]; then
        break
    fi
    top=""
    sleep 0.2
done
[ -n "$top" ] || e2e_fail "no black canvas below a caption and a menu bar on the first monitor, see $shot"
canvasHeight=$((monitorHeight - top))

curtainShown() {  # curtainShown SHOT_NAME: the second monitor is all black
    for _ in $(seq $((E2E_WAIT * 5))); do
        E2E_SHOT=$(e2e_screenshot "$1")
        [ "$(e2e_brightest "$E2E_SHOT" "${monitorWidth}x${monitorHeight}+${monitorWidth}+0")" -eq 0 ] && return 0
        sleep 0.2
    done
    return 1
}
curtainShown curtain || e2e_fail "the second monitor is not all black, see $E2E_SHOT"

# A click and a wheel turn on the curtain, over the other program's button,
# then a key with the pointer still there: the first stamp of a canvas of
# this size, which also says that the toy has handled the click and the
# wheel before it. Nothing but the blossom (its black copy, A*5/2 by B*5/2,
# is the most it reaches) is drawn.
xdotool mousemove $((otherX + 35)) $((otherY + otherH - 16)) click 1 click 4 key a
read -r _ stampX stampY stampA stampB stampColour _ < <(printf 'size %s %s\nkey\n' "$monitorWidth" "$canvasHeight" | "$replay" | grep '^stamp')
[ -n "$stampColour" ] || e2e_fail "scrivlet-replay predicted no stamp"
found=""
for _ in $(seq 25); do
    shot=$(e2e_screenshot stamp)
    seen=$(e2e_pixel "$shot" "$stampX" $((stampY + top)))
    [ "$seen" = "$stampColour" ] && found=1 && break
    sleep 0.2
done
[ -n "$found" ] || e2e_fail "the blossom's centre ($stampX,$stampY) is $seen, not $stampColour; see $shot"
kill -0 "$other" 2>/dev/null || e2e_fail "the click on the curtain reached the other program's button"
[ "$(xdotool getactivewindow)" = "$window" ] || e2e_fail "the toy is not the active window after a click on the curtain"
reach=$(((stampA > stampB ? stampA : stampB) * 5 / 4 + 2)) y=$((stampY + top))
/usr/bin/convert "$shot" -fill black -draw "rectangle $((stampX - reach)),$((y - reach)) $((stampX + reach)),$((y + reach))" "$E2E_SHOTS/unstamped.png"
[ "$(e2e_brightest "$E2E_SHOTS/unstamped.png" "${monitorWidth}x${canvasHeight}+0+$top")" -eq 0 ] ||
    e2e_fail "something was drawn after the click on the curtain, see $shot"
[ "$(e2e_brightest "$shot" "${monitorWidth}x${monitorHeight}+${monitorWidth}+0")" -eq 0 ] || e2e_fail "the curtain is gone after a click on it, see $shot"

# The other program activated, as a parent's Alt-Tab does: the curtain goes.
xdotool mousemove $((monitorWidth / 2)) 5
xdotool windowactivate "$otherWindow" 2>/dev/null
gone=""
for _ in $(seq $((E2E_WAIT * 5))); do
    shot=$(e2e_screenshot away)
    if [ "$(e2e_brightest "$shot" "${monitorWidth}x${monitorHeight}+${monitorWidth}+0")" -gt 0 ]; then
        gone=1
        break
    fi
    sleep 0.2
done
[ -n "$gone" ] || e2e_fail "the second monitor is still black while another program is active, see $shot"

# The toy activated again (a click on its caption): the curtain is back.
xdotool click 1
curtainShown back || e2e_fail "no curtain after the toy was activated again, see $E2E_SHOT"

# The toy's own dialog keeps it: File > Options, then Escape. Keeping it
# shows nothing; the toy would hide it as the activation moves, so the screen
# is looked at once the window manager names the dialog (then the toy) active.
activeIs() { local window=$1; x11_until "$E2E_WAIT" '[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]'; }
xdotool key alt+f o
dialog=$(e2e_wait_window '^Scrivlet options$') || e2e_fail "no dialog titled \"Scrivlet options\" after Alt-F, o"
activeIs "$dialog" || e2e_fail "the options dialog did not become the active window"
shot=$(e2e_screenshot dialog)
[ "$(e2e_brightest "$shot" "${monitorWidth}x${monitorHeight}+${monitorWidth}+0")" -eq 0 ] ||
    e2e_fail "the curtain went while the toy's options dialog was open, see $shot"
xdotool key Escape
activeIs "$window" || e2e_fail "the toy did not become the active window again after Escape closed its dialog"
curtainShown dialog-closed || e2e_fail "no curtain after the options dialog closed, see $E2E_SHOT"

e2e_exit_alt_f4
e2e_pass
