#!/bin/bash
# Starts a persistent wineserver for WINEPREFIX and Wine's virtual desktop on
# DISPLAY, each detached from the caller's output, and waits until the
# desktop window exists. Started from inside a test instead, either would
# inherit ctest's output pipe and ctest would wait for it to close.
# With --restart, first ends the prefix's running server and every Wine
# process in it (a test that needs a fresh wineserver).
set -u

for name in WINE WINESERVER WINEPREFIX DISPLAY; do
    if [ -z "${!name:-}" ]; then
        echo "start-desktop.sh: $name is not set" >&2
        exit 1
    fi
done

# Ends the prefix's running server and every Wine process in it.
endServer() {
    "$WINESERVER" -k >/dev/null 2>&1
    timeout 20 "$WINESERVER" -w >/dev/null 2>&1
    # The old desktop's window can outlive its server for a moment. Found
    # below, it would let the caller's program start before the new desktop
    # and become the one that starts Wine's services, which then hold the
    # caller's output (ctest's pipe) open for good.
    for _ in $(seq 100); do
        xdotool search --name 'Wine desktop' >/dev/null 2>&1 || break
        sleep 0.1
    done
}

# Starts the server and the desktop; true once the desktop's window exists.
startDesktop() {
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    # The desktop lasts while a program other than its owner uses it, so a
    # console program waits on it for good: "pause" reads a FIFO that it
    # holds open for writing itself, and so never sees the end of its input.
    # Its first use of the desktop creates the desktop (Wine's virtual
    # desktop, as the prefix's settings ask). The server's end takes the
    # holder with it.
    local holder=$WINEPREFIX/desktop-holder.fifo
    [ -p "$holder" ] || mkfifo "$holder" || return 1
    setsid "$WINE" cmd /c pause <>"$holder" >/dev/null 2>&1 &
    for _ in $(seq 150); do
        xdotool search --name 'Wine desktop' >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

[ "${1:-}" = --restart ] && endServer
startDesktop && exit 0
# A server restarted while its predecessor was still going down now and then
# never shows its desktop: once more, from a server that has ended.
echo "start-desktop.sh: Wine's virtual desktop did not appear on $DISPLAY within 30 s; starting it again" >&2
endServer
startDesktop && exit 0
echo "start-desktop.sh: Wine's virtual desktop did not appear on $DISPLAY within 30 s, twice" >&2
exit 1
