# shellcheck shell=bash
# Looking at an X screen, for the end-to-end scripts of both programs:
# where a window is, a screenshot of the whole screen, and what a region of
# a screenshot holds.

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

# Two monitors side by side, 1280x800 each, at 0,0 and 1280,0: an Xvfb as
# the host and inside it Xephyr with two screens joined by Xinerama (Xvfb
# alone puts both heads at 0,0). Takes the first free pair of display
# numbers from $1 up, exports DISPLAY as the nested one, and leaves the two
# servers' PIDs in X11_HOST_PID and X11_NESTED_PID for the caller to stop.
# Neither server resets when its last client goes (the probe that found it
# up), so the next client to connect is never refused.
x11_start_two_monitors() {  # x11_start_two_monitors FIRST_NUMBER LOG_DIR
    local host nested
    X11_HOST_PID="" X11_NESTED_PID=""
    for host in $(seq "$1" 2 $(($1 + 98))); do
        nested=$((host + 1))
        x11_display_free "$host" && x11_display_free "$nested" || continue
        Xvfb ":$host" -screen 0 2700x900x24 -nolisten tcp -noreset </dev/null >"$2/xvfb.log" 2>&1 &
        X11_HOST_PID=$!
        if x11_display_answers ":$host" "$X11_HOST_PID"; then
            DISPLAY=":$host" Xephyr ":$nested" -screen 1280x800 -screen 1280x800 +xinerama -nolisten tcp -noreset \
                </dev/null >"$2/xephyr.log" 2>&1 &
            X11_NESTED_PID=$!
            if x11_display_answers ":$nested" "$X11_NESTED_PID"; then
                export DISPLAY=":$nested"
                return 0
            fi
            kill "$X11_NESTED_PID" 2>/dev/null
            wait "$X11_NESTED_PID" 2>/dev/null
            X11_NESTED_PID=""
        fi
        kill "$X11_HOST_PID" 2>/dev/null
        wait "$X11_HOST_PID" 2>/dev/null
        X11_HOST_PID=""
    done
    return 1
}

x11_display_free() { [ ! -e "/tmp/.X$1-lock" ] && [ ! -e "/tmp/.X11-unix/X$1" ]; }

# True once the X server of PID $2 answers on display $1; false when it
# died first or did not answer within 10 s.
x11_display_answers() {
    for _ in $(seq 100); do
        kill -0 "$2" 2>/dev/null || return 1
        xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Stops the two servers x11_start_two_monitors started.
x11_stop_two_monitors() {
    local pid
    for pid in "${X11_NESTED_PID:-}" "${X11_HOST_PID:-}"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
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
