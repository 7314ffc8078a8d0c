#!/bin/bash
# Only the words change with the locale: the same keys, the "24 months and
# up" preset chosen in File > Options, a Save as BMP and Alt-F4 give the same
# picture file and the same stored options under C and under German habits
# (a decimal comma), and scrivlet-replay prints the same marks.
# Usage: locale_bytes.sh SCRIVLET SCRIVLET_REPLAY
set -uo pipefail

program=${1:?usage: locale_bytes.sh SCRIVLET SCRIVLET_REPLAY}
replay=${2:?usage: locale_bytes.sh SCRIVLET SCRIVLET_REPLAY}
script=$(dirname "$0")/../replay/all-events.script
. "$(dirname "$0")/lib.sh"

# name | locale | options dialog | Save chooser | keys: File, Options, Save
table=(
    "C|C.UTF-8|Scrivlet options|Choose filename to save the image|f o s"
    "de|de_DE.UTF-8|Scrivlet-Optionen|Dateinamen für das Bild auswählen|d o s"
)

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)

for row in "${table[@]}"; do
    IFS='|' read -r name locale dialogTitle chooserTitle keys <<<"$row"
    read -r fileKey optionsKey saveKey <<<"$keys"
    export LC_ALL=$locale
    LC_ALL=$locale "$replay" "$script" >"$N2E_DIR/marks-$name" 2>&1 || n2e_fail "$name: scrivlet-replay failed"
    rm -f "$N2E_OPTIONS"

    xdotool mousemove $((screenWidth / 2)) 5
    n2e_start "$program"
    n2e_wait_window >/dev/null || n2e_fail "$name: no window of class scrivlet appeared within ${N2E_WAIT}s"
    n2e_wait_canvas "$screenHeight"
    xdotool key a b c d e f

    # One step down from the defaults' preset; Enter is OK.
    n2e_menu "$fileKey" "$optionsKey"
    n2e_find_window "^$dialogTitle\$" >/dev/null || n2e_fail "$name: no window \"$dialogTitle\""
    xdotool key Down Return
    n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" || n2e_fail "$name: the toy's window was not active after the options"

    n2e_save_as "$chooserTitle" "$fileKey" "$saveKey" "$N2E_DIR/picture-$name"
    n2e_until "$N2E_WAIT" '[ -s "$N2E_DIR/picture-$name.bmp" ]' || n2e_fail "$name: no picture-$name.bmp after saving"
    n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" || n2e_fail "$name: the toy's window was not active after saving"
    xdotool key alt+F4
    n2e_wait_exit || n2e_fail "$name: still running ${N2E_WAIT}s after Alt-F4"
    [ "$N2E_STATUS" -eq 0 ] || n2e_fail "$name: exited with $N2E_STATUS after Alt-F4"
    cp "$N2E_OPTIONS" "$N2E_DIR/options-$name" 2>/dev/null || n2e_fail "$name: no options stored"
done
unset LC_ALL

# "24 months and up": only erasing and the key sound.
stored=$(od -A n -t x1 -N 24 "$N2E_DIR/options-C" | tr -d ' \n')
[ "$stored" = 000000000100000000000000000000000100000000000000 ] || n2e_fail "the options stored start $stored"
[ "$(identify -format '%[fx:maxima>0]' "$N2E_DIR/picture-C.bmp")" = 1 ] || n2e_fail "the picture is all black"
for kind in options picture marks; do
    suffix=$([ "$kind" = picture ] && echo .bmp)
    cmp -s "$N2E_DIR/$kind-C$suffix" "$N2E_DIR/$kind-de$suffix" ||
        n2e_fail "the $kind differ between C and de_DE.UTF-8: $(cmp "$N2E_DIR/$kind-C$suffix" "$N2E_DIR/$kind-de$suffix")"
done
n2e_pass
