#!/bin/bash
# End to end through the native program on its own Xvfb and openbox: it
# opens maximised and black and holds the keyboard; six key releases put
# blossoms exactly where and in the colours scrivlet-replay predicts (F10
# and a bare Alt do nothing); a fast drag draws every move, as the core
# predicts; another program
# activated gets the keyboard until the toy is activated again; a click
# opens the File menu; Alt-F, x exits with 0, writes the options file back
# unchanged, and leaves the keyboard free.
# Usage: stamp_draw_exit.sh SCRIVLET SCRIVLET_REPLAY GRAB_PROBE
set -uo pipefail

program=${1:?usage: stamp_draw_exit.sh SCRIVLET SCRIVLET_REPLAY GRAB_PROBE}
replay=${2:?missing SCRIVLET_REPLAY}
probe=${3:?missing GRAB_PROBE}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)

# Stored options that differ from the defaults in a flag and the sound file
# (the flags as values other than 0 and 1): exit must write them back byte
# for byte, as nothing changed them.
mkdir -p "$(dirname "$N2E_OPTIONS")"
{
    printf '\001\000\000\000\002\000\000\000\001\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000'
    printf 'quiet.wav'
    head -c $((260 - 9)) /dev/zero
} >"$N2E_OPTIONS"
cp "$N2E_OPTIONS" "$N2E_DIR/options.before"

# Any pointer movement over the canvas draws: the pointer waits on the
# title bar until the drag.
xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
title=$(n2e_wait_title "$window" Scrivlet) || n2e_fail "the title is \"$title\", not \"Scrivlet\""

WIDTH="" HEIGHT=""
n2e_until 5 'eval "$(xdotool getwindowgeometry --shell "$window")"; [ "$WIDTH" -eq "$screenWidth" ] && [ "$HEIGHT" -ge $((screenHeight - 40)) ]' ||
    n2e_fail "window is ${WIDTH}x${HEIGHT}, not maximised on ${screenWidth}x${screenHeight}"

# The canvas is black from its top edge to the bottom of the screen.
n2e_wait_canvas "$screenHeight"
canvasHeight=$((screenHeight - N2E_TOP))
shot=$N2E_DIR/start.png
[ "$(n2e_brightest "$shot" "${screenWidth}x${canvasHeight}+0+$N2E_TOP")" -eq 0 ] ||
    n2e_fail "the canvas is not black at start, see $shot"
# One monitor: no curtain window is made.
[ -z "$(xdotool search --classname '^scrivlet-curtain$' 2>/dev/null)" ] || n2e_fail "a curtain window exists on one monitor"

# While the toy is active nobody else can take the keyboard: it takes it on
# activation, in its own time.
probeIs() { "$probe"; [ $? -eq "$1" ]; }
n2e_until 3 'probeIs 3' || n2e_fail "the keyboard is not held while the toy is active"

# F10 and a bare Alt do nothing: no menu opens (or the letters below would
# go to it) and nothing is stamped (or the blossoms would move). Then six
# key releases, each letter twice (a key's first press teaches the toy what
# it means; later ones are taken as soon as they are read): blossoms where
# the core puts them on a canvas of this size. A centre that a later
# blossom (or its black copy) may cover is not checked; the last one always
# is. The keys come after F10 and Alt, so their blossoms on the screen say
# that those two were handled.
xdotool key F10
xdotool key alt
keys=(a b c a b c)
keyLines=$(printf 'key\n%.0s' "${keys[@]}")
xdotool key "${keys[@]}"
printf 'size %s %s\n%s\n' "$screenWidth" "$canvasHeight" "$keyLines" | "$replay" | grep '^stamp' >"$N2E_DIR/stamps"
[ "$(wc -l <"$N2E_DIR/stamps")" -eq ${#keys[@]} ] || n2e_fail "scrivlet-replay did not predict ${#keys[@]} stamps"
awk '{ x[NR] = $2; y[NR] = $3; r[NR] = ($4 > $5 ? $4 : $5) * 5 / 4 + 2; c[NR] = $6 }
    END { for (i = 1; i <= NR; i++) { covered = 0
            for (j = i + 1; j <= NR; j++)
                if ((x[i] - x[j]) ^ 2 + (y[i] - y[j]) ^ 2 <= r[j] ^ 2) covered = 1
            if (!covered) print x[i], y[i], c[i] } }' "$N2E_DIR/stamps" >"$N2E_DIR/centres"
[ -s "$N2E_DIR/centres" ] || n2e_fail "no blossom centre could be checked"
centresShown() {  # every centre checked has its colour on a new screenshot
    shot=$(n2e_screenshot stamps)
    while read -r x y colour; do
        seen=$(n2e_pixel "$shot" "$x" $((y + N2E_TOP)))
        [ "$seen" = "$colour" ] || return 1
    done <"$N2E_DIR/centres"
}
n2e_until "$N2E_WAIT" centresShown || n2e_fail "blossom centre ($x,$y) is $seen, not $colour; see $shot"

# A fast drag with the left button through four corners: each move follows
# the one before as soon as the X server has taken it (--sync; a busy
# server merges moves still queued in it), many within one of the toy's
# frames. Every move must still reach the core
# as its own segment: the last segment's colour (the colour drifts at each
# move) is where and what the core predicts, and each leg has colour near
# its middle (the black margin of each short segment covers much of the one
# before).
path=(300 300 500 320 700 420 900 520)
moves=(mousemove "${path[0]}" $((path[1] + N2E_TOP)) mousedown 1)
script="move ${path[0]} ${path[1]}"$'\n'"ldown"$'\n'
for ((i = 2; i < ${#path[@]}; i += 2)); do
    x0=${path[i - 2]} y0=${path[i - 1]} x1=${path[i]} y1=${path[i + 1]}
    for step in $(seq 1 12); do
        x=$((x0 + (x1 - x0) * step / 12)) y=$((y0 + (y1 - y0) * step / 12))
        moves+=(mousemove --sync "$x" $((y + N2E_TOP)))
        script+="move $x $y"$'\n'
    done
done
xdotool "${moves[@]}" mouseup 1
read -r _ _ _ lastX lastY _ lastColour _ < <(printf 'size %s %s\n%s\n%s' "$screenWidth" "$canvasHeight" "$keyLines" "$script" |
    "$replay" | grep '^segment' | tail -1)
[ -n "$lastColour" ] || n2e_fail "scrivlet-replay predicted no segment for the drag"
# The last segment is drawn after all the others.
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot drag); seen=$(n2e_pixel "$shot" "$lastX" $((lastY + N2E_TOP))); [ "$seen" = "$lastColour" ]' ||
    n2e_fail "the drag's last point ($lastX,$lastY) is $seen, not $lastColour: moves were lost or merged; see $shot"
for ((i = 2; i < ${#path[@]}; i += 2)); do
    x=$(((path[i - 2] + path[i]) / 2))
    y=$(((path[i - 1] + path[i + 1]) / 2 + N2E_TOP))
    brightest=$(n2e_brightest "$shot" "25x25+$((x - 12))+$((y - 12))")
    [ "$brightest" -ge 10 ] || n2e_fail "no colour at ($x,$y) on the drag's path, see $shot"
done

# Another program activated: the toy lets the keyboard go; activated again
# (a click on its title bar), it holds it again.
xmessage -geometry 300x80+100+100 "another program" >/dev/null 2>&1 &
other=$!
n2e_until 3 'probeIs 0' || n2e_fail "the keyboard is still held while another program is active"
xdotool mousemove $((screenWidth / 2)) 5 click 1
n2e_until 3 'probeIs 3' || n2e_fail "the keyboard is not held again after the toy was activated again"
kill "$other" 2>/dev/null
wait "$other" 2>/dev/null

# A click on File opens it, although the toy holds the keyboard; Escape
# closes it (its popup goes) and the toy holds the keyboard again.
xdotool mousemove 20 $((N2E_TOP - 12)) click 1
n2e_until "$N2E_WAIT" 'shot=$(n2e_screenshot file-clicked); [ "$(n2e_brightest "$shot" "60x40+10+$((N2E_TOP + 5))")" -gt 100 ]' ||
    n2e_fail "a click on File opened no menu, see $shot"
xdotool key Escape
n2e_until "$N2E_WAIT" '[ "$(xdotool search --onlyvisible --classname "^scrivlet\$" | wc -l)" -eq 1 ]' &&
    n2e_until 3 'probeIs 3' || n2e_fail "the keyboard is not held again after the menu closed"

# Alt-F opens File; x is E_xit.
n2e_menu f x
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F, x; see $(n2e_screenshot still-running)"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS after Alt-F, x"
cmp -s "$N2E_DIR/options.before" "$N2E_OPTIONS" || n2e_fail "the options file changed although no option did"
[ "$(ls -A "$(dirname "$N2E_OPTIONS")")" = options ] || n2e_fail "a temporary options file was left behind"
"$probe"
[ $? -eq 0 ] || n2e_fail "the keyboard is still held after the toy exited"

n2e_pass
