#!/bin/bash
# End to end with real XInput 2.2 touches, on an Xorg of the script's own:
# the dummy video driver, and the inputtest driver as a touch screen that
# scrivlet_touch_inputtest feeds; openbox manages the window. Two fingers
# down at once draw two strokes with nothing between them, each ending in the
# colour scrivlet-replay predicts for it, and a tap then leaves a dot in its
# predicted colour. A finger painted twice (pointer events made from it) or
# two fingers taken for one would change those colours or join the strokes.
# Xorg needs root here; elsewhere the script is skipped (77).
# Usage: touch_xorg.sh SCRIVLET SCRIVLET_REPLAY TOUCH_INPUTTEST
set -uo pipefail

program=${1:?usage: touch_xorg.sh SCRIVLET SCRIVLET_REPLAY TOUCH_INPUTTEST}
replay=${2:?missing SCRIVLET_REPLAY}
feeder=${3:?missing TOUCH_INPUTTEST}
. "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: Xorg with the dummy video driver runs only as root here"
    exit 77
fi
n2e_require_tools
command -v Xorg >/dev/null || n2e_fail "Xorg is missing (tools/install-deps.sh installs xserver-xorg-core)"
for module in drivers/dummy_drv.so input/inputtest_drv.so; do
    [ -f "/usr/lib/xorg/modules/$module" ] ||
        n2e_fail "Xorg's $module is missing (tools/install-deps.sh installs it)"
done

# The screen is one 1280x800 mode of the dummy card. Only the touch screen is
# configured: devices the machine may have are never added, and xdotool's
# keys and pointer go through XTest as on Xvfb.
socket=$N2E_DIR/touch.socket
mkdir -p "$N2E_DIR/xorg.conf.d"
cat >"$N2E_DIR/xorg.conf" <<EOF
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "card"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1280x800" 83.46 1280 1344 1480 1680 800 801 804 828
EndSection
Section "Screen"
    Identifier "screen"
    Device "card"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1280x800"
    EndSubSection
EndSection
Section "InputDevice"
    Identifier "touch screen"
    Driver "inputtest"
    Option "DeviceType" "Touch"
    Option "SocketPath" "$socket"
EndSection
Section "ServerLayout"
    Identifier "layout"
    Screen "screen"
    InputDevice "touch screen"
EndSection
EOF
# No virtual terminal of its own: it shares the one it is started on and
# never switches.
x11_start_server "$N2E_DIR/xorg.out" Xorg -config "$N2E_DIR/xorg.conf" -configdir "$N2E_DIR/xorg.conf.d" \
    -logfile "$N2E_DIR/Xorg.log" -nolisten tcp -novtswitch -sharevts ||
    n2e_fail "Xorg did not start, see $N2E_DIR/xorg.out and $N2E_DIR/Xorg.log"
N2E_XVFB=$X11_PID
n2e_start_openbox
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)

# The driver takes one connection in the server's life: the feeder stays
# connected until the end, and each batch of fingers ends in a sync.
coproc FEEDER { exec "$feeder" "$socket" "$screenWidth" "$screenHeight" 2>>"$N2E_DIR/feeder.log"; }
feederPid=$FEEDER_PID
trap 'n2e_cleanup; kill "$feederPid" 2>/dev/null' EXIT
fingers() {  # sends its arguments, a line each, and waits until Xorg has handled them
    local reply=""
    printf '%s\n' "$@" sync >&"${FEEDER[1]}"
    read -r -t "$N2E_WAIT" reply <&"${FEEDER[0]}" && [ "$reply" = synced ] ||
        n2e_fail "Xorg did not take the fingers, see $N2E_DIR/feeder.log and $N2E_DIR/Xorg.log"
}

# Any pointer movement over the canvas draws: the pointer waits on the
# title bar.
xdotool mousemove $((screenWidth / 2)) 5
n2e_start "$program"
n2e_wait_window >/dev/null || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
n2e_wait_canvas "$screenHeight"
top=$N2E_TOP

# Two fingers land and cross the canvas side by side, their moves
# interleaved, and lift; then a tap. The screen's x is the canvas's.
upper=$((top + 150)) lower=$((top + 450)) tapX=900 tapY=$((top + 300))
screenSteps=() replaySteps=()
step() {  # step VERB ID X Y: one finger's event, for the screen and for the replay
    screenSteps+=("$*")
    case $1 in
        down) replaySteps+=("tdown $2 $3 $(($4 - top))") ;;
        move) replaySteps+=("tmove $2 $3 $(($4 - top))") ;;
        up) replaySteps+=("tup $2") ;;
    esac
}
step down 1 200 "$upper"
step down 2 200 "$lower"
for x in 250 300 350 400 450 500 550 600; do
    step move 1 "$x" "$upper"
    step move 2 "$x" "$lower"
done
step up 1 600 "$upper"
step up 2 600 "$lower"
fingers "${screenSteps[@]}"
strokes=${#replaySteps[@]}
step down 3 "$tapX" "$tapY"
step up 3 "$tapX" "$tapY"
fingers "${screenSteps[@]:$strokes}"

# Where each finger ends, the colour of its last mark.
printf '%s\n' "${replaySteps[@]}" | "$replay" >"$N2E_DIR/marks" || n2e_fail "scrivlet-replay failed"
lastColour() { awk -v x="$1" -v y="$2" '($1 == "segment" && $4 == x && $5 == y) || ($1 == "dot" && $2 == x && $3 == y) { c = $7 == "" ? $5 : $7 }
    END { print c }' "$N2E_DIR/marks"; }
upperColour=$(lastColour 600 $((upper - top)))
lowerColour=$(lastColour 600 $((lower - top)))
tapColour=$(awk '$1 == "dot" { c = $5 } END { print c }' "$N2E_DIR/marks")
[ -n "$upperColour" ] && [ -n "$lowerColour" ] && [ -n "$tapColour" ] || n2e_fail "scrivlet-replay predicted no marks"
shown() {
    shot=$(n2e_screenshot touch)
    [ "$(n2e_pixel "$shot" 600 "$upper")" = "$upperColour" ] && [ "$(n2e_pixel "$shot" 600 "$lower")" = "$lowerColour" ] &&
        [ "$(n2e_pixel "$shot" "$tapX" "$tapY")" = "$tapColour" ]
}
n2e_until "$N2E_WAIT" shown ||
    n2e_fail "the strokes end in $(n2e_pixel "$shot" 600 "$upper") and $(n2e_pixel "$shot" 600 "$lower") and the tap shows" \
        "$(n2e_pixel "$shot" "$tapX" "$tapY"), not $upperColour, $lowerColour and $tapColour; see $shot"

# Each stroke runs the whole way; between them, beyond their black margins,
# nothing joins them; around the dot nothing else is painted.
for x in 200 300 400 500; do
    for y in "$upper" "$lower"; do
        [ "$(n2e_brightest "$shot" "1x1+$x+$y")" -gt 0 ] || n2e_fail "no stroke at ($x, $y), see $shot"
    done
done
[ "$(n2e_brightest "$shot" "500x$((lower - upper - 80))+150+$((upper + 40))")" -eq 0 ] ||
    n2e_fail "something joins the two strokes, see $shot"
for strip in "80x20+$((tapX - 40))+$((tapY - 40))" "80x20+$((tapX - 40))+$((tapY + 20))" \
    "20x80+$((tapX - 40))+$((tapY - 40))" "20x80+$((tapX + 20))+$((tapY - 40))"; do
    [ "$(n2e_brightest "$shot" "$strip")" -eq 0 ] || n2e_fail "the tap painted more than a dot ($strip), see $shot"
done
n2e_pass
