#!/bin/bash
# Runs the toy on this machine: installs what is missing, builds the native
# Linux program and starts it on the current display. With --wine it builds
# scrivlet.exe instead and starts it under Wine, in your own Wine prefix
# (WINEPREFIX, or ~/.wine).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

usage() {
    echo "usage: ./run.sh [--wine]" >&2
    exit 2
}
mode=native
case "${1:-}" in
"") ;;
--wine) mode=wine ;;
*) usage ;;
esac
[ $# -le 1 ] || usage

if [ -z "${DISPLAY:-}" ] && { [ "$mode" = wine ] || [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "run.sh: no display: DISPLAY is not set, so there is nowhere to show the toy's window." >&2
    echo "Run it from a desktop session (or over ssh -X). Without a display, ./test.sh still runs every test." >&2
    exit 1
fi

tools/install-deps.sh
jobs=$(nproc)

if [ "$mode" = native ]; then
    cmake --preset native >/dev/null
    cmake --build --preset native -j "$jobs" --target scrivlet
    # The default key sound, key.wav, is looked for where the toy starts.
    cd "$root/build/native"
    echo "Starting scrivlet; File > Exit (Alt-F, x) ends it."
    exec ./scrivlet
fi

. tools/wine-env.sh
if ! xdpyinfo >/dev/null 2>&1; then
    echo "run.sh: cannot open the X display '$DISPLAY'." >&2
    exit 1
fi
build() {  # build ARCH: the preset win-ARCH, in build/win-ARCH
    cmake --preset "win-$1" >/dev/null
    cmake --build --preset "win-$1" -j "$jobs" --target scrivlet scrivlet_files
}
winBuild=$root/build/win-$SCRIVLET_WIN_ARCH
build "$SCRIVLET_WIN_ARCH"
# The shipped 32-bit exe, kept building even where it cannot run.
[ "$SCRIVLET_WIN_ARCH" = i686 ] || build i686

export WINEDEBUG=${WINEDEBUG:--all}
# A first run makes the prefix; skip the offers to download Mono and Gecko.
[ -d "${WINEPREFIX:-$HOME/.wine}" ] || export WINEDLLOVERRIDES="mscoree,mshtml="
# The toy looks for its help file and key sound in the directory it starts
# in; the build puts both beside the exe.
cd "$winBuild"
echo "Starting scrivlet.exe ($SCRIVLET_WIN_ARCH) on $DISPLAY; File > Exit (Alt-F, x) ends it."
exec "$WINE" scrivlet.exe
