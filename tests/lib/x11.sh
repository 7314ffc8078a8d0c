# shellcheck shell=bash
# X servers of a script's own and looking at their screens, for the test
# scripts of both programs and the benchmarks: a server on a display it
# picks itself, two monitors, where a window is, a screenshot of the whole
# screen, and what a region of a screenshot holds.

# Prints "left top width height" of a window on the screen.
x11_window_box() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Takes a screenshot of the whole screen into the file $1.
x11_screenshot() {
    import -window root "$1" 2>/dev/null
}

# Prints the brightest channel value (0..255) inside a region WxH+X+Y of a
# screenshot: 0 means the region is all black; -1 that it could not be read.
x11_brightest() {
    /usr/bin/convert "$1" -crop "$2" +repage -format '%[fx:int(maxima*255+0.5)]' info: 2>/dev/null || echo -1
}

# Starts an X server on a display number the server picks itself
# (-displayfd): it takes the first number no other server holds, so runs at
# the same moment never meet on one display. Waits until the server answers
# there, then exports DISPLAY as its display and leaves its PID in X11_PID
# for the caller to stop. An Xephyr opens its window on the DISPLAY in force
# when this is called. The server's output goes to LOG; its input is
# /dev/null. False, with the server stopped, when it ended first or did not
# answer within 20 s.
# The server never resets when its last client goes (-noreset): the probe
# that finds it up is such a client, and a client that connects during the
# reset that follows is refused (openbox then could not open the display in
# 5 to 7 of 80 starts on a busy machine).
# Usage: x11_start_server LOG Xvfb|Xephyr [SERVER_ARGS...]
#   x11_start_server /dev/null Xvfb -screen 0 1280x800x24 -nolisten tcp
x11_start_server() {
    local log=$1 pipeDir number=""
    shift
    X11_PID=""
    pipeDir=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-displayfd.XXXXXX") || return 1
    mkfifo "$pipeDir/number" || { rm -rf "$pipeDir"; return 1; }
    "$@" -noreset -displayfd 3 3>"$pipeDir/number" </dev/null >"$log" 2>&1 &
    X11_PID=$!
    # The server writes its number once it listens there; a server that
    # ends before that closes the pipe, which ends the read at once.
    read -r -t 20 number <"$pipeDir/number" || number=""
    rm -rf "$pipeDir"
    if [[ $number =~ ^[0-9]+$ ]] && x11_display_answers ":$number" "$X11_PID"; then
        export DISPLAY=":$number"
        return 0
    fi
    kill "$X11_PID" 2>/dev/null || true
    wait "$X11_PID" 2>/dev/null || true
    X11_PID=""
    return 1
}

# True once the X server of PID $2 answers on display $1; false when it
# died first or did not answer within 20 s.
x11_display_answers() {
    for _ in $(seq 200); do
        kill -0 "$2" 2>/dev/null || return 1
        xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Two monitors side by side, 1280x800 each, at 0,0 and 1280,0: an Xvfb as
# the host and inside it Xephyr with two screens joined by Xinerama (Xvfb
# alone puts both heads at 0,0). Exports DISPLAY as the nested one and
# leaves the two servers' PIDs in X11_HOST_PID and X11_NESTED_PID for the
# caller to stop (x11_stop_two_monitors); their output goes to xvfb.log and
# xephyr.log in LOG_DIR.
x11_start_two_monitors() {  # x11_start_two_monitors LOG_DIR
    X11_HOST_PID="" X11_NESTED_PID=""
    x11_start_server "$1/xvfb.log" Xvfb -screen 0 2700x900x24 -nolisten tcp || return 1
    X11_HOST_PID=$X11_PID
    if ! x11_start_server "$1/xephyr.log" Xephyr -screen 1280x800 -screen 1280x800 +xinerama -nolisten tcp; then
        x11_stop_two_monitors
        return 1
    fi
    X11_NESTED_PID=$X11_PID
}

# Stops the two servers x11_start_two_monitors started.
x11_stop_two_monitors() {
    local pid
    for pid in "${X11_NESTED_PID:-}" "${X11_HOST_PID:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    X11_NESTED_PID="" X11_HOST_PID=""
}

# Waits until the shell condition $2 holds, evaluated afresh every tenth of
# a second with the caller's variables (not its arguments), for at most $1
# seconds; false when it never did.
x11_until() {
    local x11End=$((SECONDS + $1))
    until eval "$2"; do
        [ "$SECONDS" -lt "$x11End" ] || return 1
        sleep 0.1
    done
}
