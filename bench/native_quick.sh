#!/bin/bash
# bench/run --native: the native program's rows and the peers' beside them,
# without Wine or Save as BMP, to tell builds of the native program apart.
# Usage (through bench/run): native_quick.sh OUT ROUNDS STARTS [NAME=PATH...]
# Every program is measured once in each round, the binaries in turn and in
# the opposite order every other round, so that a machine growing busier or
# quieter weighs on all of them alike; report_native.py takes the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1 rounds=$2 starts=$3
shift 3
binaries=("$@")
if [ ${#binaries[@]} -eq 0 ]; then
    native=${SCRIVLET_BUILD_ROOT:-$PWD/build}/bench/native
    echo "bench: building the native program (Release)" >&2
    cmake --preset native -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$native" -j "$(nproc)" --target scrivlet >/dev/null
    binaries=("native=$native/scrivlet")
fi
names=()
for binary in "${binaries[@]}"; do
    [ -x "${binary#*=}" ] || { echo "bench: ${binary#*=} is not a program" >&2; exit 2; }
    names+=("${binary%%=*}")
done

. bench/env.sh
trap benchCleanUp EXIT
trap 'exit 130' INT TERM
benchStartXvfb || benchFail "Xvfb did not start"
benchStartOpenbox || benchFail "openbox did not start"
benchStartPulse || benchFail "PulseAudio with a null sink did not start"
work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-bench.XXXXXX")
trap 'rm -rf "$work"; benchCleanUp' EXIT
figures=$work/figures
mkdir -p "$figures"
gcc -O2 -o "$work/xmapwatch" bench/xmapwatch.c -lX11
gcc -O2 -o "$work/xlatency" bench/xlatency.c -lXtst -lXdamage -lX11 -lm
measure=(python3 bench/measure.py --xmapwatch "$work/xmapwatch" --xlatency "$work/xlatency")
# Tries of each latency measure: what makes each program draw in place of a
# key is in runTuxPaint and runBambam.
latency=200
export SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software
peerHome=$work/home
nativeHome=$work/native-home
mkdir -p "$peerHome" "$nativeHome/config/scrivlet"

setNativeOptions() {  # KEY_SOUND_FLAG: the same record bench/run writes
    python3 -c 'import struct, sys
open(sys.argv[1], "wb").write(struct.pack("<6i", 1, 1, 1, 0, int(sys.argv[2]), 0) + b"key.wav".ljust(260, b"\0"))' \
        "$nativeHome/config/scrivlet/options" "$1"
}
runBinary() {  # NAME=PATH FIGURE [measure options...]
    local path=${1#*=} figure=$2
    shift 2
    HOME=$nativeHome XDG_CONFIG_HOME=$nativeHome/config GSETTINGS_BACKEND=memory \
        "${measure[@]}" --window-class scrivlet --cwd "$(dirname "$path")" "$@" -- "$path" >"$figures/$figure.json"
}
runTuxPaint() {  # FIGURE [measure options...]
    local figure=$1
    shift
    HOME=$peerHome "${measure[@]}" --window-class tuxpaint "$@" -- \
        tuxpaint --windowed --1920x1080 --nosound --nolockfile >"$figures/$figure.json"
}
runBambam() {  # FIGURE [measure options...]
    local figure=$1
    shift
    HOME=$peerHome "${measure[@]}" --window-class bambam "$@" -- /usr/games/bambam -m >"$figures/$figure.json"
}
inTurn() {  # ROUND: the binaries, reversed in even rounds
    if [ $(($1 % 2)) -eq 1 ]; then
        printf '%s\n' "${binaries[@]}"
    else
        printf '%s\n' "${binaries[@]}" | tac
    fi
}
waitIdle() {  # as bench/run: at least 95 % idle over a quarter of a second, or 10 s
    python3 - <<'IDLE'
import time
def busy_idle():
    with open("/proc/stat") as f:
        v = [int(x) for x in f.readline().split()[1:]]
    return sum(v) - v[3] - v[4], v[3] + v[4]
deadline = time.monotonic() + 10
while time.monotonic() < deadline:
    b0, i0 = busy_idle()
    time.sleep(0.25)
    b1, i1 = busy_idle()
    if (i1 - i0) >= 0.95 * ((b1 - b0) + (i1 - i0)):
        break
IDLE
}

# Each round: every binary whole (idle, memory, motion, 300 keys with the
# key sound on, latency) and 300 keys with it off; the peers whole, with 300
# keys. A key's release stamps Scrivlet's blossom; Bambam draws on a key's
# press; Tux Paint's keys draw nothing, so a click stands in for them.
for round in $(seq "$rounds"); do
    echo "bench: round $round of $rounds" >&2
    while read -r binary; do
        name=${binary%%=*}
        setNativeOptions 1
        runBinary "$binary" "$name.full.$round" --keys 300 --latency "$latency"
        setNativeOptions 0
        runBinary "$binary" "$name.off.$round" --skip idle,motion --keys 300
    done < <(inTurn "$round")
    runTuxPaint "tuxpaint.full.$round" --keys 300 --latency "$latency" --latency-key click
    runBambam "bambam.full.$round" --keys 300 --latency "$latency" --latency-key press
done
setNativeOptions 1
echo "bench: starts" >&2
for round in $(seq "$starts"); do
    while read -r binary; do
        waitIdle
        runBinary "$binary" "${binary%%=*}.start.$round" --skip idle,motion,keys
    done < <(inTurn "$round")
    waitIdle
    runTuxPaint "tuxpaint.start.$round" --skip idle,motion,keys
    waitIdle
    runBambam "bambam.start.$round" --skip idle,motion,keys
done

python3 bench/report_native.py "$figures" "$out" "${names[@]}"
# The figures themselves beside the table, to look at a round again.
if [ -n "$out" ]; then
    rm -rf "$out.figures"
    cp -r "$figures" "$out.figures"
fi
