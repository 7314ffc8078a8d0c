# shellcheck shell=bash
# Shared steps of the native end-to-end scripts: an Xvfb and openbox of the
# script's own (so that maximising and focus behave as on a desktop), a
# throwaway home and configuration folder, the program started and found,
# screenshots, and the canvas located on them. Every wait has a limit; a
# failure keeps its screenshots and names their folder.

. "$(dirname "${BASH_SOURCE[0]}")/../lib/x11.sh"

N2E_WAIT=${N2E_WAIT:-20}
N2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-native.XXXXXX")
N2E_XVFB=""
N2E_WM=""
N2E_PID=""
N2E_STATUS=""
# The program's own settings and sound never reach the developer's, and it
# speaks English unless a script asks for another language.
export HOME=$N2E_DIR/home XDG_CONFIG_HOME=$N2E_DIR/config CANBERRA_DRIVER=null GSETTINGS_BACKEND=memory LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
N2E_OPTIONS=$XDG_CONFIG_HOME/scrivlet/options

n2e_cleanup() {
    if [ -n "$N2E_PID" ] && kill -0 "$N2E_PID" 2>/dev/null; then
        kill "$N2E_PID" 2>/dev/null
        # A modal box of the program's may take the first signal for itself.
        n2e_until 5 '! kill -0 "$N2E_PID" 2>/dev/null'
        kill -9 "$N2E_PID" 2>/dev/null
        wait "$N2E_PID" 2>/dev/null
    fi
    for pid in "$N2E_WM" "$N2E_XVFB"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ -z "${N2E_KEEP_DIR:-}" ] && rm -rf "$N2E_DIR"
}
trap n2e_cleanup EXIT

n2e_fail() {
    echo "FAIL: $*" >&2
    N2E_KEEP_DIR=1
    echo "screenshots and the program's output are kept in $N2E_DIR" >&2
    exit 1
}

n2e_pass() {
    [ -n "${E2E_KEEP:-}" ] && N2E_KEEP_DIR=1 && echo "screenshots kept in $N2E_DIR"
    echo "PASS"
    exit 0
}

n2e_require_tools() {
    local name
    for name in Xvfb openbox xdotool xwininfo xdpyinfo import /usr/bin/convert; do
        command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
    done
}

# A display of our own, with openbox.
n2e_start_desktop() {
    x11_start_server "$N2E_DIR/xvfb.log" Xvfb -screen 0 1280x800x24 -nolisten tcp ||
        n2e_fail "Xvfb did not start, see $N2E_DIR/xvfb.log"
    N2E_XVFB=$X11_PID
    n2e_start_openbox
}

# openbox on the display in DISPLAY.
n2e_start_openbox() {
    openbox --sm-disable </dev/null >"$N2E_DIR/openbox.log" 2>&1 &
    N2E_WM=$!
    # openbox is ready when it owns the window manager selection.
    n2e_until "$N2E_WAIT" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        n2e_fail "openbox did not start on $DISPLAY, see $N2E_DIR/openbox.log"
}

# True once weston's socket is there and it shows $1 outputs' windows, which
# it leaves in N2E_WESTON_WINDOWS in their order. xdotool's search does not
# see their names: xwininfo does.
n2e_weston_up() {
    N2E_WESTON_WINDOWS=$(xwininfo -root -children 2>/dev/null |
        awk '/"Weston Compositor/ { n = match($0, /screen[0-9]+/) ? substr($0, RSTART, RLENGTH) : ""; print n, $1 }' |
        sort | awk '{ print $NF }')
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && [ "$(printf '%s\n' "$N2E_WESTON_WINDOWS" | grep -c .)" -eq "$1" ]
}

# An X display of our own with no window manager, and weston on its X11
# backend there, with an XDG_RUNTIME_DIR of its own and a socket named
# NAME-PID (this script's): its windows (one an output, at the screen's
# corner) are all there is, and xdotool's input reaches weston's clients
# through them. Sets DISPLAY, WAYLAND_DISPLAY and N2E_WESTON_WINDOWS, the
# outputs' windows in their order.
# Usage: n2e_start_weston_on_x SCREEN_SIZE OUTPUTS NAME [WESTON_ARGS...]
n2e_start_weston_on_x() {
    local size=$1 outputs=$2
    export XDG_RUNTIME_DIR=$N2E_DIR/run WAYLAND_DISPLAY=$3-$$
    shift 3
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    N2E_WESTON_WINDOWS=""
    x11_start_server "$N2E_DIR/xvfb.log" Xvfb -screen 0 "${size}x24" -nolisten tcp ||
        n2e_fail "Xvfb did not start, see $N2E_DIR/xvfb.log"
    N2E_XVFB=$X11_PID
    weston --backend=x11-backend.so --output-count="$outputs" --socket="$WAYLAND_DISPLAY" --idle-time=0 \
        "$@" >>"$N2E_DIR/weston.log" 2>&1 &
    N2E_WM=$!
    # Ready once its socket and every output's window are there; a weston
    # that ended first stops the wait at once.
    n2e_until "$N2E_WAIT" '! kill -0 "$N2E_WM" 2>/dev/null || n2e_weston_up "$outputs"' &&
        kill -0 "$N2E_WM" 2>/dev/null && return 0
    N2E_WESTON_WINDOWS=""
    n2e_fail "weston with $outputs output(s) did not start on $DISPLAY, see $N2E_DIR/weston.log"
}

# Starts the program in the background; its output goes to a file.
n2e_start() {
    "$1" >>"$N2E_DIR/program.log" 2>&1 &
    N2E_PID=$!
}

n2e_until() { x11_until "$@"; }

# Prints the X id of the first visible window titled as the pattern $1, or
# fails after N2E_WAIT seconds. A plain search, tried again and again: with
# --sync xdotool dies of an X error when a window closes during its search
# (a chooser going away as a message box comes up).
n2e_find_window() {
    local pattern=$1 found=""
    n2e_until "$N2E_WAIT" 'found=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1); [ -n "$found" ]' &&
        echo "$found"
}

# Prints the X id of the program's window (X11 class "scrivlet").
n2e_wait_window() {
    timeout "$N2E_WAIT" xdotool search --sync --onlyvisible --classname '^scrivlet$' 2>/dev/null | head -n 1
    [ "${PIPESTATUS[0]}" -eq 0 ]
}

# True while the toy's main window (titled "Scrivlet" or "Scrivlet. (Alt-F -
# menu)", not one of its dialogs) is the active one, which gets the keys.
N2E_TOY_ACTIVE='[[ "$(xdotool getactivewindow getwindowname 2>/dev/null)" =~ ^Scrivlet(\.\ |$) ]]'

# Alt+letter once the toy's window is active, then waits until the menu is
# open (a second visible window of the program: the popup) and presses $2
# in it, when given.
n2e_menu() {
    n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" || n2e_fail "the toy's window is not active for Alt-$1"
    xdotool key "alt+$1"
    n2e_until "$N2E_WAIT" '[ "$(xdotool search --onlyvisible --classname "^scrivlet\$" 2>/dev/null | wc -l)" -ge 2 ]' ||
        n2e_fail "no menu opened after Alt-$1"
    [ -z "${2:-}" ] || xdotool key "$2"
}

# Saves through the chooser titled $1, reached with Alt-$2 and $3, under the
# name $4 (typed as a full path). The modal chooser takes the keys as soon
# as it shows, but makes its Save button sensitive (its label dark) only a
# moment after the last letter typed, and Return does nothing before that.
n2e_save_as() {
    local chooser x y w h
    n2e_menu "$2" "$3"
    chooser=$(n2e_find_window "^$1\$") || n2e_fail "no window \"$1\" after Alt-$2, $3"
    # A leading / opens the chooser's location field.
    xdotool type --delay 20 "$4"
    n2e_until "$N2E_WAIT" 'read -r x y w h < <(n2e_window_box "$chooser"); shot=$(n2e_screenshot chooser)
        [ "$(/usr/bin/convert "$shot" -crop "60x20+$((x + w - 80))+$((y + h - 32))" -format "%[fx:int(minima*255)]" info:)" -lt 100 ]' ||
        n2e_fail "the chooser's Save button stayed insensitive; see $N2E_DIR/chooser.png"
    xdotool key Return
}

# The desktop's handler for web pages from here on: a stand-in browser that
# writes down each page it is asked to open, a line each, in $N2E_OPENED.
N2E_OPENED=$N2E_DIR/opened
n2e_stand_in_browser() {
    export XDG_DATA_HOME=$N2E_DIR/data
    mkdir -p "$XDG_DATA_HOME/applications"
    printf '#!/bin/sh\necho "$1" >>"%s"\n' "$N2E_OPENED" >"$N2E_DIR/browser"
    chmod +x "$N2E_DIR/browser"
    printf '[Desktop Entry]\nType=Application\nName=Test browser\nExec=%s %%u\nMimeType=text/html;\n' \
        "$N2E_DIR/browser" >"$XDG_DATA_HOME/applications/scrivlet-test-browser.desktop"
    printf '[Default Applications]\ntext/html=scrivlet-test-browser.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
}

# Waits until the window's title is $2.
n2e_wait_title() {
    local window=$1 wanted=$2 title=""
    n2e_until "$N2E_WAIT" 'title=$(xdotool getwindowname "$window" 2>/dev/null); [ "$title" = "$wanted" ]' || {
        echo "$title"
        return 1
    }
}

# Prints "left top width height" of a window's inside on the screen.
n2e_window_box() { x11_window_box "$1"; }

n2e_screenshot() {
    x11_screenshot "$N2E_DIR/$1.png"
    echo "$N2E_DIR/$1.png"
}

# The colour of one pixel of a screenshot as RRGGBB.
n2e_pixel() {
    /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'a-f' 'A-F'
}

# The brightest channel (0..255) inside WxH+X+Y of a screenshot.
n2e_brightest() { x11_brightest "$@"; }

# Waits until the window, title bar and menu bar on top, shows a black
# canvas below them and is the active window, ready for keys, and sets
# N2E_TOP to the canvas's top on the screen: the first all-black row down
# the left edge.
n2e_wait_canvas() {
    local shot="" height=$1
    for _ in $(seq $((N2E_WAIT * 5))); do
        shot=$(n2e_screenshot start)
        N2E_TOP=$(/usr/bin/convert "$shot" -crop "1x${height}+2+0" +repage -depth 8 txt:- 2>/dev/null |
            awk -F'[,:]' '/#000000/ { print $2; exit }')
        if [ -n "$N2E_TOP" ] && [ "$N2E_TOP" -ge 20 ] &&
            [ "$(n2e_brightest "$shot" "100x$((height - N2E_TOP))+0+$N2E_TOP")" -eq 0 ] && eval "$N2E_TOY_ACTIVE"; then
            return 0
        fi
        sleep 0.2
    done
    n2e_fail "no black canvas below a title and a menu bar on the active window, see $shot"
}

n2e_wait_exit() {
    n2e_until "$N2E_WAIT" '! kill -0 "$N2E_PID" 2>/dev/null' || return 1
    wait "$N2E_PID"
    N2E_STATUS=$?
    N2E_PID=""
}
