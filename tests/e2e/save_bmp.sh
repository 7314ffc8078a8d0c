#!/bin/bash
# End to end through the real Save As dialog, onto a small disk of the test's
# own (a 4 MiB tmpfs, Z: to Wine): File > Save as BMP writes a file equal to
# the window's client area pixel for pixel; the next Save As opens in that
# folder; saving over the picture there again fills the disk, and then a
# message box names the file and the reason, the earlier file stays byte for
# byte, and no temporary file is left. A cancelled dialog does nothing, and
# File > Exit then ends with code 0.
# Usage: save_bmp.sh SCRIVLET_EXE WINDOW_TEXTS_EXE   (needs WINE, WINEPREFIX, DISPLAY)
# Mounting needs root; without it the test is skipped (exit 77).
set -uo pipefail

exe=${1:?usage: save_bmp.sh SCRIVLET_EXE WINDOW_TEXTS_EXE}
windowTexts=${2:?usage: save_bmp.sh SCRIVLET_EXE WINDOW_TEXTS_EXE}
. "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
    rm -rf "$E2E_SHOTS"
    echo "SKIP: mounting a small tmpfs as the full disk needs root (tests run as root in CI)"
    exit 77
fi
e2e_prepare "$exe"
[ -f "$windowTexts" ] || e2e_fail "no helper at $windowTexts"

disk=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-disk.XXXXXX")
saveCleanup() {
    xdotool keyup Return >/dev/null 2>&1
    e2e_cleanup
    umount "$disk" 2>/dev/null
    rmdir "$disk" 2>/dev/null
}
trap saveCleanup EXIT
# One picture of the 1280x762 client area is 2.8 MiB: it fits once, but not
# a second time beside the first.
mount -t tmpfs -o size=4m tmpfs "$disk" || e2e_fail "could not mount a tmpfs on $disk"
# Wine sees the host's root as Z:.
winDisk="Z:${disk//\//\\}"

read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
e2e_launch "$exe"

draw() {
    xdotool mousemove 300 300 mousedown 1
    for point in "500 320" "700 $1" "900 520" "1000 680"; do
        read -r x y <<<"$point"
        xdotool mousemove "$x" "$y"
        sleep 0.05
    done
    xdotool mouseup 1
    xdotool mousemove $((screenWidth / 2)) 5
    xdotool key a b c
}

# Alt-F, s is File > "&Save as BMP"; the dialog gets `name` typed in, not
# yet confirmed.
saveAs() {  # saveAs NAME SHOT_NAME
    xdotool key alt+f s
    timeout "$E2E_WAIT" xdotool search --sync --name '^Choose filename to save the image$' >/dev/null 2>&1 ||
        e2e_fail "no Save As dialog titled \"Choose filename to save the image\", see $(e2e_screenshot "$2")"
    xdotool type --delay 20 "$1"
    e2e_screenshot "$2" >/dev/null
}

draw 420
# A parent browses to the folder first (a folder's name and Return opens it),
# then names the file.
saveAs "$winDisk" dialog
xdotool key Return
xdotool type --delay 20 picture
# Return saves on its press. Its release would reach the toy as an ordinary
# key release and stamp after the save, so it waits until the picture has
# been compared with the screen.
xdotool keydown Return
picture=$disk/picture.bmp
for _ in $(seq $((E2E_WAIT * 10))); do
    [ -f "$picture" ] && [ -z "$(find "$disk" -name '~scrivlet*')" ] && break
    sleep 0.1
done
[ -f "$picture" ] || e2e_fail "no $picture after Save As (the default extension is .bmp)"

# The whole client area, which is the canvas at start-up size: the picture's
# width is the screen's and its bottom is the screen's bottom.
read -r width height < <(identify -format '%w %h\n' "$picture" 2>/dev/null)
[ "${width:-0}" -eq "$screenWidth" ] && [ "${height:-0}" -gt 500 ] ||
    e2e_fail "picture is ${width:-?}x${height:-?}, not the ${screenWidth}-pixel-wide client area"
stride=$(((3 * width + 3) / 4 * 4))
[ "$(stat -c %s "$picture")" -eq $((54 + stride * height)) ] || e2e_fail "picture is not 54 + stride x height bytes"
client="${width}x${height}+0+$((screenHeight - height))"
differing=-1
for _ in $(seq 25); do
    shot=$(e2e_screenshot saved)
    /usr/bin/convert "$shot" -crop "$client" +repage "$E2E_SHOTS/client.png"
    differing=$(compare -metric AE "$E2E_SHOTS/client.png" "$picture" null: 2>&1)
    [ "$differing" = 0 ] && break
    sleep 0.2
done
cp "$picture" "$E2E_SHOTS/first.bmp"
xdotool keyup Return
[ "$differing" = 0 ] || e2e_fail "$differing pixels of the saved picture differ from the client area, see $E2E_SHOTS/client.png"
[ "$(e2e_brightest "$picture" "${width}x${height}+0+0")" -gt 0 ] || e2e_fail "the saved picture is all black"

# The last dialog ended in that folder, which is now the current directory,
# so the next one opens there and a bare name lands there again: over the first picture, on a disk with room for only one.
draw 600
saveAs picture dialog-again
xdotool key Return
# Wine titles the overwrite prompt like the dialog above it.
prompted=0
for _ in $(seq $((E2E_WAIT * 5))); do
    if [ "$(xdotool search --name '^Choose filename to save the image$' 2>/dev/null | wc -l)" -ge 2 ]; then
        prompted=1
        break
    fi
    sleep 0.2
done
[ "$prompted" -eq 1 ] || e2e_fail "no overwrite prompt for the existing picture, see $(e2e_screenshot overwrite)"
xdotool key y
"$WINE" "$windowTexts" "Picture not saved" "$E2E_WAIT" >"$E2E_SHOTS/message.txt" 2>&1 ||
    e2e_fail "no message box titled \"Picture not saved\", see $(e2e_screenshot no-message)"
e2e_screenshot message >/dev/null
tr -d '\r' <"$E2E_SHOTS/message.txt" | grep -qxF "$winDisk\\picture.bmp" ||
    e2e_fail "the message does not name $winDisk\\picture.bmp: $(cat "$E2E_SHOTS/message.txt")"
grep -qF "because the disk is full." "$E2E_SHOTS/message.txt" ||
    e2e_fail "the message does not say the disk is full: $(cat "$E2E_SHOTS/message.txt")"
xdotool key Return

cmp -s "$picture" "$E2E_SHOTS/first.bmp" || e2e_fail "the earlier picture changed after the failed save"
leftover=$(find "$disk" -mindepth 1 ! -name picture.bmp)
[ -z "$leftover" ] || e2e_fail "files left behind on the full disk: $leftover"

# A cancelled dialog does nothing: no file, no message.
saveAs cancelled dialog-cancelled
xdotool key Escape
"$WINE" "$windowTexts" "Picture not saved" 2 >/dev/null 2>&1 &&
    e2e_fail "a message box after the dialog was cancelled, see $(e2e_screenshot cancel-message)"
[ -z "$(find "$disk" -mindepth 1 ! -name picture.bmp)" ] || e2e_fail "a cancelled dialog wrote a file"

e2e_exit_through_menu

e2e_pass
