#!/bin/bash
# Runs every test: installs what is missing, builds the Windows build that
# runs here (and the shipped 32-bit exe) and the native build, gives the Wine
# tests an X display and a Wine prefix of their own, runs ctest, and removes
# the display and the prefix again. Exits with ctest's status. Arguments go
# to ctest (./test.sh -R wine.Menu runs one entry).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
# Nothing here reads input; CI may even start us with standard input closed.
exec </dev/null

tools/install-deps.sh
tools/make-locales.sh
. tools/wine-env.sh

# The builds are CMakePresets.json's; SCRIVLET_BUILD_ROOT moves their trees,
# so that two runs in one work tree keep apart.
buildRoot=${SCRIVLET_BUILD_ROOT:-$root/build}
arch=$SCRIVLET_WIN_ARCH
winBuild=$buildRoot/win-$arch
productBuild=$buildRoot/win-i686
nativeBuild=$buildRoot/native
fuzzBuild=$buildRoot/fuzz
jobs=$(nproc)

cmake --no-warn-unused-cli --preset "win-$arch" -B "$winBuild" -DSCRIVLET_WIN_TESTS=ON
cmake --build "$winBuild" -j "$jobs"
if [ "$arch" != i686 ]; then
    # Not runnable here, but it is what ships: it must keep building.
    cmake --no-warn-unused-cli --preset win-i686 -B "$productBuild" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$productBuild" -j "$jobs" --target scrivlet
fi
# The zip and the installer a parent downloads, and the Debian package,
# checked by the package tests.
cmake --build "$productBuild" -j "$jobs" --target package setup
# The fuzz targets, which ctest runs briefly from their seeds: a harness
# that no longer builds stops the run here.
cmake --preset fuzz -B "$fuzzBuild"
cmake --build "$fuzzBuild" -j "$jobs"
cmake --preset native -B "$nativeBuild" -DSCRIVLET_WINDOWS_BUILD_DIR="$winBuild" \
    -DSCRIVLET_WINDOWS_PRODUCT_DIR="$productBuild" -DSCRIVLET_FUZZ_BUILD_DIR="$fuzzBuild"
cmake --build "$nativeBuild" -j "$jobs"
cmake --build "$nativeBuild" --target package

# From here on everything started is ours and is removed on the way out,
# quietly, so that ctest's summary stays the last line.
xvfbPid=""
WINEPREFIX=""
cleanUp() {
    if [ -n "$WINEPREFIX" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
        timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
    fi
}
trap cleanUp EXIT
trap 'exit 130' INT TERM

fail() {
    echo "test.sh: $*" >&2
    exit 1
}

# An X display of our own, whose number the server picks, so that another
# run of the suite at the same moment never takes the same one.
. tests/lib/x11.sh
x11_start_server /dev/null Xvfb -screen 0 1280x800x24 -nolisten tcp || fail "could not start Xvfb"
xvfbPid=$X11_PID

# A throwaway Wine prefix: the developer's own is never touched.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
quietWine() { "$WINE" "$@" </dev/null >/dev/null 2>&1; }
quietWine wineboot --init || fail "wineboot could not make a Wine prefix in $WINEPREFIX"
# Maximising needs a window manager: Wine's virtual desktop is one. No sound
# device, and the fonts that captions, menus and dialogs need.
quietWine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
quietWine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f
quietWine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# The ctest pipe trap: a wineserver or desktop process started by a test
# inherits ctest's output pipe, and ctest waits until it closes. So start
# both now, in a fresh server that has the settings above.
tests/wine/start-desktop.sh --restart || fail "could not start Wine's desktop in $WINEPREFIX"

export WINE WINESERVER SCRIVLET_WIN_ARCH
set +e
(cd "$nativeBuild" && ctest --output-on-failure --timeout 120 "$@")
status=$?
exit $status
