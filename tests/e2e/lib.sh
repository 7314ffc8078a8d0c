# shellcheck shell=bash
# Shared steps of the end-to-end scripts: start the program under Wine, find
# its window, take and read screenshots, wait for the exit. Every wait has a
# limit; a failure names the screenshot that shows it and keeps it.

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

# Starts the program in the background; its output goes to a file so that no
# Wine process holds the test runner's pipe.
e2e_start() {
    "$WINE" "$1" >"$E2E_SHOTS/wine.log" 2>&1 &
    E2E_PID=$!
}

# Prints the X id of the program's window (titled "scrivlet" at first,
# "Scrivlet..." once the options are applied; the search ignores case).
e2e_wait_window() {
    timeout "$E2E_WAIT" xdotool search --sync --name '^scrivlet' 2>/dev/null | head -n 1
    [ "${PIPESTATUS[0]}" -eq 0 ]
}

# Prints "left top width height" of a window's frame on the screen.
e2e_window_frame() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Takes a screenshot of the whole screen and prints its path.
e2e_screenshot() {
    local shot="$E2E_SHOTS/$1.png"
    import -window root "$shot" 2>/dev/null
    echo "$shot"
}

# Prints the brightest channel value (0..255) inside a region WxH+X+Y of a
# screenshot: 0 means the region is all black; -1 that it could not be read.
e2e_brightest() {
    /usr/bin/convert "$1" -crop "$2" +repage -format '%[fx:int(maxima*255+0.5)]' info: 2>/dev/null || echo -1
}

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

# Prints the colour of one pixel of a screenshot as RRGGBB (upper case).
e2e_pixel() {  # e2e_pixel SHOT X Y
    /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -format '%[hex:p{0,0}]' info: 2>/dev/null | cut -c1-6
}

# Prints "X Y COLOUR" of the Nth key stamp (from 1) of a fresh run over a
# client area of W x H, as scrivlet-replay derives it from the random
# sequence. Nothing else may have drawn in that run.
e2e_expected_stamp() {  # e2e_expected_stamp REPLAY_TOOL W H N
    local script
    script=$(printf 'size %d %d\n' "$2" "$3"; for _ in $(seq "$4"); do echo key; done)
    printf '%s\n' "$script" | "$1" | awk '$1 == "stamp" { n++; if (n == '"$4"') print $2, $3, $6 }'
}
