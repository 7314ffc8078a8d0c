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
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || n2e_fail "PulseAudio did not start"

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

# Starts the toy, presses the keys given, and prints every distinct sample
# format of the streams seen playing within two seconds, with the most
# streams seen at once: "FORMAT... max N".
playKeys() {
    n2e_start "$program"
    local window
    window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
    n2e_wait_canvas "$(xdotool getdisplaygeometry | cut -d' ' -f2)"
    xdotool key --delay 40 "$@" &
    local keys=$! most=0 formats="" lines
    for _ in $(seq 100); do
        lines=$(pactl list short sink-inputs 2>/dev/null)
        [ -n "$lines" ] || { sleep 0.02; continue; }
        [ "$(wc -l <<<"$lines")" -gt "$most" ] && most=$(wc -l <<<"$lines")
        formats+=$(awk '{ print $(NF - 2), $(NF - 1), $NF }' <<<"$lines")$'\n'
        sleep 0.02
    done
    wait "$keys"
    n2e_menu f x
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
