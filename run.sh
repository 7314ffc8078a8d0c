#!/bin/bash
# Runs the toy on this machine: installs what is missing, builds scrivlet.exe
# and starts it under Wine on the current X display, in your own Wine prefix
# (WINEPREFIX, or ~/.wine).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no X display: DISPLAY is not set, so there is nowhere to show the toy's window." >&2
    echo "Run it from a desktop session (or over ssh -X). Without a display, ./test.sh still runs every test." >&2
    exit 1
fi

tools/install-deps.sh
. tools/wine-env.sh

if ! xdpyinfo >/dev/null 2>&1; then
    echo "run.sh: cannot open the X display '$DISPLAY'." >&2
    exit 1
fi

jobs=$(nproc)
build() {  # build DIRECTORY ARCH
    cmake --no-warn-unused-cli -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$2.cmake" >/dev/null
    cmake --build "$1" -j "$jobs" --target scrivlet scrivlet_files
}
winBuild=$root/build/win-$SCRIVLET_WIN_ARCH
build "$winBuild" "$SCRIVLET_WIN_ARCH"
# The shipped 32-bit exe, kept building even where it cannot run.
[ "$SCRIVLET_WIN_ARCH" = i686 ] || build "$root/build/win-i686" i686

export WINEDEBUG=${WINEDEBUG:--all}
# A first run makes the prefix; skip the offers to download Mono and Gecko.
[ -d "${WINEPREFIX:-$HOME/.wine}" ] || export WINEDLLOVERRIDES="mscoree,mshtml="
# The toy looks for its help file and key sound in the directory it starts
# in; the build puts both beside the exe.
cd "$winBuild"
echo "Starting scrivlet.exe ($SCRIVLET_WIN_ARCH) on $DISPLAY; File > Exit (Alt-F, x) ends it."
exec "$WINE" scrivlet.exe
