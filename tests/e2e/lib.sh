# shellcheck shell=bash
# Shared steps of the end-to-end scripts: start the program under Wine, find
# its window, take and read screenshots, wait for the exit. Every wait has a
# limit; a failure names the screenshot that shows it and keeps it.

. "$(dirname "${BASH_SOURCE[0]}")/../lib/x11.sh"

E2E_WAIT=${E2E_WAIT:-20}
# The canvas starts below the caption and the menu bar (screen y 38 for a
# maximised window in Wine's virtual desktop), plus a few rows of slack.
E2E_CLIENT_TOP=44
# Exactly where the client area starts there, for checks of single pixels.
E2E_CLIENT_ORIGIN_Y=38
E2E_SHOTS=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-e2e.XXXXXX")
E2E_PID=""
E2E_STATUS=""

e2e_cleanup() {
    # A failure in the middle of a drag must not leave the button held for
    # the next test on this display.
    xdotool mouseup 1 >/dev/null 2>&1
    if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
        kill "$E2E_PID" 2>/dev/null
        wait "$E2E_PID" 2>/dev/null
    fi
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$(ls -A "$E2E_SHOTS")" ]; then
        echo "screenshots and the program's output are kept in $E2E_SHOTS" >&2
    else
        rm -rf "$E2E_SHOTS"
    fi
    exit 1
}

# E2E_KEEP=1 keeps the screenshots of a passing run too.
e2e_pass() {
    if [ -n "${E2E_KEEP:-}" ]; then
        echo "screenshots kept in $E2E_SHOTS"
    else
        rm -rf "$E2E_SHOTS"
    fi
    echo "PASS"
    exit 0
}

e2e_require_env() {
    local name
    for name in WINE WINEPREFIX DISPLAY; do
        [ -n "${!name:-}" ] || e2e_fail "$name is not set: run through test.sh, which makes the test's own Wine prefix and X display"
    done
    for name in xdotool xwininfo import /usr/bin/convert; do
        command -v "$name" >/dev/null || e2e_fail "$name is missing (tools/install-deps.sh installs it)"
    done
}

e2e_require_no_window() {
    if xdotool search --name '^scrivlet' >/dev/null 2>&1; then
        e2e_fail "a scrivlet window is already open on $DISPLAY before the test starts"
    fi
}

# The opening every script shares: the environment is there, the file the
# script is given exists (WHAT names it in the failure, "program" unless
# told), and no window of the program is open yet.
e2e_prepare() {  # e2e_prepare PATH [WHAT]
    e2e_require_env
    [ -f "$1" ] || e2e_fail "no ${2:-program} at $1"
    e2e_require_no_window
}

# Any pointer movement over the canvas draws, even with no button held, so
# the pointer waits over the caption's row. Two moves, so that Wine sees
# motion and learns where the pointer is: a fresh wineserver otherwise
# believes it is in the middle of the screen.
e2e_park_pointer() {
    local width
    read -r width _ < <(xdotool getdisplaygeometry)
    xdotool mousemove $((width / 2)) 6
    sleep 0.1
    xdotool mousemove $((width / 2)) 5
    sleep 0.3
}

# Starts the program in the background; its output goes to a file so that no
# Wine process holds the test runner's pipe.
e2e_start() {
    "$WINE" "$1" >"$E2E_SHOTS/wine.log" 2>&1 &
    E2E_PID=$!
}

# Prints the X id of the program's window (titled "scrivlet" at first,
# "Scrivlet..." once the options are applied; the search ignores case), or
# of the first window whose title matches PATTERN.
# Polls rather than waiting in one `xdotool search --sync`: that search ends
# with an X error when a window it is looking at goes away meanwhile, as the
# hidden windows of a Wine prefix's first start do.
e2e_wait_window() {  # e2e_wait_window [PATTERN]
    local found="" deadline=$((SECONDS + E2E_WAIT))
    while [ "$SECONDS" -le "$deadline" ]; do
        found=$(xdotool search --name "${1:-^scrivlet}" 2>/dev/null | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.1
    done
    return 1
}

# Parks the pointer, starts the program and waits until it has started:
# its window (X id left in E2E_WINDOW) has traded the name it is made with,
# "scrivlet", for a title of the toy's, which it sets once the options are
# read and the canvas made. RUN names the run in the failure ("the second
# run"), for scripts that start the program more than once.
e2e_launch() {  # e2e_launch EXE [RUN]
    local title="" deadline=$((SECONDS + E2E_WAIT))
    e2e_park_pointer
    e2e_start "$1"
    E2E_WINDOW=$(e2e_wait_window) ||
        e2e_fail "no window titled scrivlet appeared${2:+ in $2} within ${E2E_WAIT}s"
    while [ "$SECONDS" -le "$deadline" ]; do
        title=$(xdotool getwindowname "$E2E_WINDOW" 2>/dev/null)
        [ "${title#Scrivlet}" != "$title" ] && return 0
        sleep 0.1
    done
    e2e_fail "the window${2:+ of $2} is still titled \"$title\" after ${E2E_WAIT}s: the toy did not finish starting"
}

# Prints "left top width height" of a window's frame on the screen.
e2e_window_frame() { x11_window_box "$1"; }

# Takes a screenshot of the whole screen and prints its path.
e2e_screenshot() {
    x11_screenshot "$E2E_SHOTS/$1.png"
    echo "$E2E_SHOTS/$1.png"
}

e2e_brightest() { x11_brightest "$@"; }

# Waits for the program to end and sets E2E_STATUS to its exit code; fails
# (returns 1) when it is still running after E2E_WAIT seconds.
e2e_wait_exit() {
    local tries=$((E2E_WAIT * 10))
    while kill -0 "$E2E_PID" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
    wait "$E2E_PID"
    E2E_STATUS=$?
    E2E_PID=""
}

# Waits until a region of the screen settles at black (0) or at colour (above
# 0), whichever is asked for, and prints the brightest channel it last saw;
# each look is kept as SHOT_NAME.png. TRIES looks a fifth of a second apart
# (25 unless told).
e2e_canvas_until() {  # e2e_canvas_until black|colour REGION SHOT_NAME [TRIES]
    local brightest=-1
    for _ in $(seq "${4:-25}"); do
        brightest=$(e2e_brightest "$(e2e_screenshot "$3")" "$2")
        if [ "$1" = black ] && [ "$brightest" -eq 0 ]; then break; fi
        if [ "$1" = colour ] && [ "$brightest" -gt 0 ]; then break; fi
        sleep 0.2
    done
    echo "$brightest"
}

# Checks that the program ends within E2E_WAIT seconds with code 0. HOW says
# what ended it ("after Alt-F4"); RUN names the run, as for e2e_launch.
e2e_expect_exit() {  # e2e_expect_exit HOW [RUN]
    e2e_wait_exit || e2e_fail "${2:+$2 is }still running ${E2E_WAIT}s $1"
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "${2:+$2 }exited with code $E2E_STATUS $1"
}

# Closes the program the system's way and checks its clean exit.
e2e_exit_alt_f4() {  # e2e_exit_alt_f4 [RUN]
    xdotool key alt+F4
    e2e_expect_exit "after Alt-F4" "${1:-}"
}

# Waits until the File menu hangs open below the menu bar: three places it
# covers show the colour of the empty menu bar. The last look is kept as
# menu.png.
e2e_wait_file_menu() {
    local shot bar width
    read -r width _ < <(xdotool getdisplaygeometry)
    for _ in $(seq $((E2E_WAIT * 5))); do
        shot=$(e2e_screenshot menu)
        bar=$(e2e_pixel "$shot" $((width - 10)) $((E2E_CLIENT_ORIGIN_Y - 10)))
        [ "$(e2e_pixel "$shot" 5 $((E2E_CLIENT_ORIGIN_Y + 30)))" = "$bar" ] &&
            [ "$(e2e_pixel "$shot" 90 $((E2E_CLIENT_ORIGIN_Y + 30)))" = "$bar" ] &&
            [ "$(e2e_pixel "$shot" 95 $((E2E_CLIENT_ORIGIN_Y + 62)))" = "$bar" ] && return 0
        sleep 0.2
    done
    e2e_fail "Alt-F opened no File menu, see $E2E_SHOTS/menu.png"
}

# File > Exit from the keyboard: Alt-F opens the File menu, x is E&xit. The
# open menu is kept as menu.png, for a program that does not end.
e2e_exit_through_menu() {  # e2e_exit_through_menu [RUN]
    xdotool key alt+f
    e2e_wait_file_menu
    xdotool key x
    e2e_expect_exit "after File > Exit (Alt-F, x), see $E2E_SHOTS/menu.png" "${1:-}"
}

# Prints the colour of one pixel of a screenshot as RRGGBB (upper case).
# Help > Contents from the keyboard: Alt-F opens File, Right twice reaches
# Help, Down moves from "About" to "Contents". The viewer titles its window
# with the help file's title; a help window that never comes fails the test.
e2e_open_help_contents() {
    xdotool key alt+f
    e2e_wait_file_menu
    # The menu takes the keys in the order they come.
    xdotool key Right Right Down Return
    timeout "$E2E_WAIT" xdotool search --sync --name '^Scrivlet help$' >/dev/null 2>&1 || {
        e2e_screenshot no-help >/dev/null
        e2e_fail "Help > Contents opened no help window, see $E2E_SHOTS/no-help.png"
    }
    e2e_screenshot help >/dev/null
}

e2e_pixel() {  # e2e_pixel SHOT X Y
    /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -format '%[hex:p{0,0}]' info: 2>/dev/null | cut -c1-6
}

# Prints the region WxH+X+Y of the canvas on the screen: everything below the
# menu bar, less MARGIN rows at the bottom (0 unless told).
e2e_canvas_region() {  # e2e_canvas_region [MARGIN]
    local width height
    read -r width height < <(xdotool getdisplaygeometry)
    echo "${width}x$((height - ${1:-0} - E2E_CLIENT_TOP))+0+$E2E_CLIENT_TOP"
}

# Waits until the canvas pixel (X, Y) (client coordinates) shows COLOUR, for
# TRIES looks a fifth of a second apart (25 unless told). Leaves the colour
# last seen in E2E_SEEN and its screenshot in E2E_SHOT; returns 1 when the
# colour never showed.
e2e_wait_pixel() {  # e2e_wait_pixel X Y COLOUR SHOT_NAME [TRIES]
    E2E_SEEN=""
    for _ in $(seq "${5:-25}"); do
        E2E_SHOT=$(e2e_screenshot "$4")
        E2E_SEEN=$(e2e_pixel "$E2E_SHOT" "$1" $(($2 + E2E_CLIENT_ORIGIN_Y)))
        [ "$E2E_SEEN" = "$3" ] && return 0
        sleep 0.2
    done
    return 1
}

# Prints "X Y COLOUR" of the Nth key stamp (from 1) of a fresh run over the
# client area of a maximised window, as scrivlet-replay derives it from the
# random sequence. Nothing else may have drawn in that run.
e2e_expected_stamp() {  # e2e_expected_stamp REPLAY_TOOL N
    local width height script
    read -r width height < <(xdotool getdisplaygeometry)
    script=$(printf 'size %d %d\n' "$width" $((height - E2E_CLIENT_ORIGIN_Y)); for _ in $(seq "$2"); do echo key; done)
    printf '%s\n' "$script" | "$1" | awk '$1 == "stamp" { n++; if (n == '"$2"') print $2, $3, $6 }'
}
