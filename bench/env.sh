# shellcheck shell=bash
# Sourced by the benchmark scripts: a private 1920x1080 Xvfb screen with
# openbox as its window manager, a PulseAudio server whose only sink is a
# null sink, and a throwaway Wine prefix that plays through it. Everything
# started here is stopped, and the prefix removed, when the script exits.
# Needs tools/wine-env.sh sourced first (WINE, WINESERVER).

. "$(dirname "${BASH_SOURCE[0]}")/../tests/lib/x11.sh"

benchXvfbPid=""
benchOpenboxPid=""
benchPulseDir=""
WINEPREFIX=""

benchCleanUp() {
    if [ -n "$WINEPREFIX" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
        timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    if [ -n "$benchPulseDir" ]; then
        XDG_RUNTIME_DIR=$benchPulseDir pulseaudio --kill >/dev/null 2>&1 || true
        rm -rf "$benchPulseDir"
    fi
    local pid
    for pid in $benchOpenboxPid $benchXvfbPid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

benchFail() {
    echo "bench: $*" >&2
    exit 1
}

# A display of our own, on a number the server picks (tests/lib/x11.sh).
benchStartXvfb() {
    x11_start_server /dev/null Xvfb -screen 0 1920x1080x24 -nolisten tcp || return 1
    benchXvfbPid=$X11_PID
}

benchStartOpenbox() {
    openbox --sm-disable </dev/null >/dev/null 2>&1 &
    benchOpenboxPid=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    return 1
}

benchStartPulse() {
    benchPulseDir=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-pulse.XXXXXX")
    export XDG_RUNTIME_DIR=$benchPulseDir
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
        --load="module-native-protocol-unix" </dev/null >/dev/null 2>&1 || return 1
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

benchMakeWinePrefix() {
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-bench-wine.XXXXXX")
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    "$WINE" wineboot --init </dev/null >/dev/null 2>&1 || return 1
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f </dev/null >/dev/null 2>&1
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
    # A persistent server, detached from our output, so that its CPU can be
    # read for the whole run.
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

benchSetUp() {
    trap benchCleanUp EXIT
    trap 'exit 130' INT TERM
    benchStartXvfb || benchFail "Xvfb did not start"
    benchStartOpenbox || benchFail "openbox did not start"
    benchStartPulse || benchFail "PulseAudio with a null sink did not start"
    benchMakeWinePrefix || benchFail "wineboot could not make a Wine prefix"
}
