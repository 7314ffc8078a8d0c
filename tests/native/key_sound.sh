#!/bin/bash
# End to end through the native program's key sound, on a PulseAudio server
# of the script's own with a null sink: a key release plays the sound file
# (key.wav made by our script: one channel, 22050 Hz); a file that cannot be
# found plays the desktop's "bell" event sound instead (two channels,
# 44100 Hz); each release restarts the sound, so quick keys never play two
# at once; with the key sound off nothing plays.
# Usage: key_sound.sh SCRIVLET
set -uo pipefail

program=${1:?usage: key_sound.sh SCRIVLET}
. "$(dirname "$0")/lib.sh"

n2e_require_tools
for name in pulseaudio pactl python3; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
n2e_start_desktop
read -r screenWidth _ < <(xdotool getdisplaygeometry)
root=$(cd "$(dirname "$0")/../.." && pwd)

export XDG_RUNTIME_DIR=$N2E_DIR/runtime
unset CANBERRA_DRIVER
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
    --load="module-native-protocol-unix" >"$N2E_DIR/pulseaudio.log" 2>&1 &
pulse=$!
stopPulse() {
    kill "$pulse" 2>/dev/null
    wait "$pulse" 2>/dev/null
}
trap 'stopPulse; n2e_cleanup' EXIT
n2e_until 5 'pactl info >/dev/null 2>&1' || n2e_fail "PulseAudio did not start"

# The toy starts in a folder holding key.wav, as run.sh starts it.
cd "$N2E_DIR" || n2e_fail "no folder $N2E_DIR"
python3 "$root/tools/make_key_sound.py" key.wav || n2e_fail "could not make key.wav"

# Stores the six flags and a sound file name for the next start.
storeOptions() {  # storeOptions KEY_SOUND_FLAG SOUND_FILE
    mkdir -p "$(dirname "$N2E_OPTIONS")"
    python3 - "$N2E_OPTIONS" "$1" "$2" <<'PY'
import struct, sys
path, flag, sound = sys.argv[1], int(sys.argv[2]), sys.argv[3].encode()
with open(path, "wb") as out:
    out.write(struct.pack("<6i", 1, 1, 1, 0, flag, 0) + sound.ljust(260, b"\0"))
PY
}

# Starts the toy, presses the keys given, then Alt-F, which opens File once
# every key before it is handled. Prints every distinct sample format of the
# streams seen playing until File is open and ten looks in a row find none,
# with the most streams seen at once: "FORMAT... max N".
playKeys() {
    local most=0 formats="" lines quiet=0
    n2e_start "$program"
    n2e_wait_window >/dev/null || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
    n2e_wait_canvas "$(xdotool getdisplaygeometry | cut -d' ' -f2)"
    xdotool key --delay 40 "$@" alt+f &
    for _ in $(seq $((N2E_WAIT * 20))); do
        lines=$(pactl list short sink-inputs 2>/dev/null)
        if [ -n "$lines" ]; then
            [ "$(wc -l <<<"$lines")" -gt "$most" ] && most=$(wc -l <<<"$lines")
            formats+=$(awk '{ print $(NF - 2), $(NF - 1), $NF }' <<<"$lines")$'\n' quiet=0
        elif [ "$(xdotool search --onlyvisible --classname '^scrivlet$' | wc -l)" -ge 2 ] && [ $((++quiet)) -ge 10 ]; then
            break
        fi
        sleep 0.02
    done
    wait $!
    [ "$quiet" -ge 10 ] || n2e_fail "File did not open after the keys, or a sound never ended"
    xdotool key x
    n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F, x"
    echo "$(sort -u <<<"$formats" | grep . | tr '\n' ';') max $most"
}

xdotool mousemove $((screenWidth / 2)) 5
storeOptions 1 key.wav
seen=$(playKeys a b c d e f)
[ "$seen" = "s16le 1ch 22050Hz; max 1" ] || n2e_fail "key.wav: played \"$seen\", not key.wav alone, one at a time"

storeOptions 1 no-such-sound.wav
seen=$(playKeys a)
[ "$seen" = "s16le 2ch 44100Hz; max 1" ] || n2e_fail "a missing file: played \"$seen\", not the bell"

storeOptions 0 key.wav
seen=$(playKeys a b)
[ "$seen" = " max 0" ] || n2e_fail "the key sound is off, yet \"$seen\" played"

n2e_pass
