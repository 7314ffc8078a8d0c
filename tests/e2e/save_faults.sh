#!/bin/bash
# End to end: saves that cannot work, through the real Save As dialog. Saving
# over a picture in a read-only folder, and onto a name that is a folder,
# each puts up a message naming the file and the reason, and the earlier
# picture stays byte for byte. A name with characters outside ASCII saves
# under that name. (A full disk is save_bmp.sh's.)
# Usage: save_faults.sh SCRIVLET_EXE WINDOW_TEXTS_EXE   (needs WINE, WINEPREFIX, DISPLAY)
# The read-only folder is a read-only bind mount, which needs root; without
# it the test is skipped (exit 77).
set -uo pipefail

exe=${1:?usage: save_faults.sh SCRIVLET_EXE WINDOW_TEXTS_EXE}
windowTexts=${2:?usage: save_faults.sh SCRIVLET_EXE WINDOW_TEXTS_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$exe"
[ -f "$windowTexts" ] || e2e_fail "no helper at $windowTexts"
if [ "$(id -u)" -ne 0 ]; then
    rm -rf "$E2E_SHOTS"
    echo "SKIP: a read-only folder needs a read-only bind mount, which needs root (tests run as root in CI)"
    exit 77
fi

base=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-faults.XXXXXX")
faultsCleanup() {
    xdotool keyup Return >/dev/null 2>&1
    e2e_cleanup
    umount "$base/locked" 2>/dev/null
    xkbcomp "$base/keymap.xkb" "$DISPLAY" 2>/dev/null
    rm -rf "$base"
}
trap faultsCleanup EXIT
# Root may write anywhere, so a folder that cannot be written is a read-only
# mount. It holds an earlier picture.
mkdir -p "$base/locked" "$base/pictures/drawing.bmp"
printf 'an earlier picture' >"$base/locked/picture.bmp"
cp "$base/locked/picture.bmp" "$E2E_SHOTS/earlier.bmp"
mount --bind -o ro "$base/locked" "$base/locked" || e2e_fail "could not bind-mount $base/locked read-only"
mount -o remount,ro,bind "$base/locked" 2>/dev/null
touch "$base/locked/probe" 2>/dev/null && e2e_fail "the read-only mount can be written"
winBase="Z:${base//\//\\}"
# ü gets a key of its own until the end: one that xdotool lends it for a
# moment can be given back before a busy Wine has read the new map. AB11
# (left of right Shift on some keyboards) is empty here and one Wine knows;
# Wine gave a key at the end of the map no key code.
xkbcomp "$DISPLAY" "$base/keymap.xkb" 2>/dev/null || e2e_fail "could not read the keyboard map"
sed '/^xkb_symbols/a key <AB11> { [ udiaeresis, Udiaeresis ] };' "$base/keymap.xkb" | xkbcomp - "$DISPLAY" 2>/dev/null

read -r screenWidth _ < <(xdotool getdisplaygeometry)
e2e_launch "$exe"
xdotool mousemove 300 300 mousedown 1 mousemove 600 400 mousemove 900 500 mouseup 1
xdotool mousemove $((screenWidth / 2)) 5

dialogTitle='^Choose filename to save the image$'
saveAs() {  # saveAs PATH SHOT_NAME: types PATH into a new Save As dialog
    xdotool key alt+f s
    timeout "$E2E_WAIT" xdotool search --sync --name "$dialogTitle" >/dev/null 2>&1 ||
        e2e_fail "no Save As dialog, see $(e2e_screenshot "$2")"
    xdotool type --delay 20 "$1"
    e2e_screenshot "$2" >/dev/null
}

# The message of a failed save: it names `path` and says `reason`; Return
# dismisses it.
expectMessage() {  # expectMessage WINDOWS_PATH REASON SHOT_NAME
    "$WINE" "$windowTexts" "Picture not saved" "$E2E_WAIT" >"$E2E_SHOTS/$3.txt" 2>&1 ||
        e2e_fail "no message box titled \"Picture not saved\", see $(e2e_screenshot "$3")"
    e2e_screenshot "$3" >/dev/null
    tr -d '\r' <"$E2E_SHOTS/$3.txt" | grep -qxF "$1" ||
        e2e_fail "the message does not name $1: $(cat "$E2E_SHOTS/$3.txt")"
    grep -qF "because $2." "$E2E_SHOTS/$3.txt" ||
        e2e_fail "the message does not say \"$2\": $(cat "$E2E_SHOTS/$3.txt")"
    xdotool key Return
}

# Wine asks before replacing what has the name, file or folder, with a
# prompt titled like the dialog; the parent says yes.
confirmReplace() {  # confirmReplace SHOT_NAME
    x11_until "$E2E_WAIT" '[ "$(xdotool search --name "$dialogTitle" 2>/dev/null | wc -l)" -ge 2 ]' ||
        e2e_fail "no prompt to replace what is there, see $(e2e_screenshot "$1")"
    xdotool key y
}

# Over the earlier picture in the read-only folder.
saveAs "$winBase\\locked\\picture.bmp" read-only
xdotool key Return
confirmReplace read-only-prompt
expectMessage "$winBase\\locked\\picture.bmp" "this folder cannot be written to" read-only-message
cmp -s "$base/locked/picture.bmp" "$E2E_SHOTS/earlier.bmp" || e2e_fail "the earlier picture changed"
[ -z "$(find "$base/locked" -mindepth 1 ! -name picture.bmp)" ] || e2e_fail "a file was left in the read-only folder"

# A name that is a folder: "drawing" gets the default extension, and
# drawing.bmp is a folder. The folder and what is in it stay.
touch "$base/pictures/drawing.bmp/inside"
saveAs "$winBase\\pictures\\drawing" folder-name
xdotool key Return
confirmReplace folder-prompt
expectMessage "$winBase\\pictures\\drawing.bmp" "there is a folder of that name" \
    folder-message
[ -d "$base/pictures/drawing.bmp" ] && [ -f "$base/pictures/drawing.bmp/inside" ] ||
    e2e_fail "the folder drawing.bmp or its contents changed"
[ -z "$(find "$base/pictures" -maxdepth 1 -name '~scrivlet*')" ] || e2e_fail "a temporary file was left behind"

# A name outside ASCII that the program's code page has: it is saved as is.
saveAs "$winBase\\pictures\\Zeichnung für Mama" non-ascii
xdotool keydown Return
saved="$base/pictures/Zeichnung für Mama.bmp"
for _ in $(seq $((E2E_WAIT * 10))); do
    [ -f "$saved" ] && break
    sleep 0.1
done
xdotool keyup Return
[ -f "$saved" ] || e2e_fail "no \"$saved\"; files there: $(ls "$base/pictures")"
read -r width height < <(identify -format '%w %h\n' "$saved" 2>/dev/null)
[ "${width:-0}" -eq "$screenWidth" ] || e2e_fail "the picture with the non-ASCII name is not a whole BMP"

e2e_exit_through_menu
e2e_pass
