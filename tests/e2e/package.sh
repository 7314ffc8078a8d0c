#!/bin/bash
# End to end from the package a parent downloads: the zip is unpacked, the
# program is started in the unpacked folder, it takes the key.wav found there
# as its key sound and Help > Contents opens the scrivlet.chm found there.
# Where only the 64-bit build runs, that exe is put in the 32-bit one's place
# first.
# Usage: package.sh PACKAGE.zip RUNNABLE_SCRIVLET_EXE   (needs WINE, WINEPREFIX, DISPLAY)
set -uo pipefail

zip=${1:?usage: package.sh PACKAGE.zip RUNNABLE_SCRIVLET_EXE}
runnable=${2:?usage: package.sh PACKAGE.zip RUNNABLE_SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$zip" package
[ -f "$runnable" ] || e2e_fail "no program at $runnable"

zip=$(realpath "$zip")
folder=$E2E_SHOTS/unpacked/$(basename "$zip" .zip)
mkdir -p "$E2E_SHOTS/unpacked"
(cd "$E2E_SHOTS/unpacked" && cmake -E tar xf "$zip") || e2e_fail "cannot unpack $zip"
if [ "${SCRIVLET_WIN_ARCH:-}" != i686 ]; then
    cp "$runnable" "$folder/scrivlet.exe" || e2e_fail "cannot put $runnable into $folder"
fi

read -r screenWidth _ < <(xdotool getdisplaygeometry)
# Started the way a double-click starts it: in its own folder. The toy
# resolves its key sound once, at start-up; Wine's file trace shows which
# file it opened.
cd "$folder" || e2e_fail "no folder $folder"
export WINEDEBUG=-all,+file
e2e_launch scrivlet.exe

# There is no sound device here, so a key starts nothing; it still stamps.
opened="z:$folder/key.wav\""
for _ in $(seq $((E2E_WAIT * 10))); do
    grep -qF "$opened" "$E2E_SHOTS/wine.log" && break
    sleep 0.1
done
grep -qF "$opened" "$E2E_SHOTS/wine.log" ||
    e2e_fail "key.wav was not looked for in $folder; see $E2E_SHOTS/wine.log"
xdotool key a

e2e_open_help_contents

# Close the help window (it has the keyboard), then the toy, made active
# again by a click on its caption.
xdotool key alt+F4
for _ in $(seq $((E2E_WAIT * 10))); do
    xdotool search --name '^Scrivlet help$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool mousemove $((screenWidth / 2)) 5 click 1
e2e_exit_alt_f4

e2e_pass
