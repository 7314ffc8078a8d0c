#!/bin/bash
# End to end through the installed native program. The Debian package is
# installed with apt (root only; otherwise, and with "prefix", the build is
# installed with `cmake --install --prefix` into a folder of the test's own,
# and the script says so). The menu entry's Exec line is started from /, on
# the script's own Xvfb with openbox and a PulseAudio server with a null
# sink: the window maps maximised, a key release plays the installed key.wav
# (one channel, 22050 Hz; there is none in /), and, in German from the
# installed catalogue, Help > Inhalt reaches a stand-in browser with the
# installed German help page. With --prefix, the toy is
# started once more without its help page and key sound. Then the package
# is removed (the files the installation listed are deleted) and none of
# its files is left; the options file the run wrote stays.
# Usage: installed.sh deb|prefix PACKAGE.deb NATIVE_BUILD_DIR
set -uo pipefail

mode=${1:?usage: installed.sh deb|prefix PACKAGE.deb NATIVE_BUILD_DIR}
deb=${2:?usage: installed.sh deb|prefix PACKAGE.deb NATIVE_BUILD_DIR}
build=${3:?usage: installed.sh deb|prefix PACKAGE.deb NATIVE_BUILD_DIR}
. "$(dirname "$0")/lib.sh"

# Once nothing plays, presses a key and prints the format of the sound it
# plays on the null sink ("s16le 1ch 22050Hz"), or nothing when none plays.
# The first sound loads libcanberra, which a busy machine takes a while
# for; the sound itself is short, so the streams are looked at often.
key_sound_format() {
    local formats=""
    # A stream of a toy that has ended lingers until the server sees it go.
    n2e_until 5 '[ -z "$(pactl list short sink-inputs 2>/dev/null)" ]'
    xdotool key a
    for _ in $(seq $((N2E_WAIT * 20))); do
        formats=$(pactl list short sink-inputs 2>/dev/null | awk '{ print $(NF - 2), $(NF - 1), $NF }' | sort -u)
        [ -n "$formats" ] && break
        sleep 0.02
    done
    printf '%s' "$formats"
}


n2e_require_tools
for name in pulseaudio pactl; do
    command -v "$name" >/dev/null || n2e_fail "$name is missing (tools/install-deps.sh installs it)"
done
if [ "$mode" = deb ] && [ "$(id -u)" -ne 0 ]; then
    echo "not root: installing with cmake --install --prefix into a temporary folder instead of apt"
    mode=prefix
fi

apt() { DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300 "$@"; }
installedByUs=""
prefix=/usr
uninstall() {
    if [ "$installedByUs" = deb ]; then
        apt remove scrivlet >"$N2E_DIR/apt-remove.log" 2>&1
    elif [ "$installedByUs" = prefix ]; then
        xargs -d '\n' rm -f <"$N2E_DIR/installed" 2>/dev/null
    fi
    installedByUs=""
}
pulse=""
stopPulse() {
    [ -n "$pulse" ] || return 0
    kill "$pulse" 2>/dev/null
    wait "$pulse" 2>/dev/null
}
trap 'n2e_cleanup_program; stopPulse; uninstall; n2e_cleanup' EXIT
# The program must be gone before its files are.
n2e_cleanup_program() {
    [ -n "$N2E_PID" ] && kill -9 "$N2E_PID" 2>/dev/null && wait "$N2E_PID" 2>/dev/null
    N2E_PID=""
}

if [ "$mode" = deb ]; then
    [ -f "$deb" ] || n2e_fail "no package at $deb (test.sh builds it with the target 'package')"
    # The machine has one package database: a run of the suite in another
    # clone waits here until its own package is removed again.
    exec 9>/run/lock/scrivlet-installed-deb.lock || n2e_fail "cannot open /run/lock/scrivlet-installed-deb.lock"
    flock -w 100 9 || n2e_fail "another run kept the package installed for 100 s"
    dpkg-query -W scrivlet >/dev/null 2>&1 && n2e_fail "a package scrivlet is already installed; remove it first"
    echo "installing $(basename "$deb") with apt-get"
    installedByUs=deb
    apt install "$(realpath "$deb")" >"$N2E_DIR/apt-install.log" 2>&1 ||
        n2e_fail "apt-get install failed; see $N2E_DIR/apt-install.log"
    dpkg -L scrivlet >"$N2E_DIR/installed" || n2e_fail "dpkg lists no files of scrivlet"
else
    prefix=$N2E_DIR/prefix
    echo "installing with cmake --install into $prefix"
    installedByUs=prefix
    cmake --install "$build" --prefix "$prefix" >"$N2E_DIR/cmake-install.log" 2>&1 ||
        n2e_fail "cmake --install failed; see $N2E_DIR/cmake-install.log"
    { cat "$build/install_manifest.txt"; echo; } | grep . >"$N2E_DIR/installed"
    export PATH=$prefix/bin:$PATH XDG_DATA_DIRS=$prefix/share:/usr/share
fi
data=$prefix/share/scrivlet
for file in "$prefix/bin/scrivlet" "$data/key.wav" "$data/help/scrivlet.htm" \
    "$prefix/share/applications/org.scrivlet.Scrivlet.desktop"; do
    [ -f "$file" ] || n2e_fail "the installation has no $file"
done

n2e_stand_in_browser
opened=$N2E_OPENED

n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
export XDG_RUNTIME_DIR=$N2E_DIR/runtime
unset CANBERRA_DRIVER
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
    --load="module-native-protocol-unix" >"$N2E_DIR/pulseaudio.log" 2>&1 &
pulse=$!
n2e_until 5 'pactl info >/dev/null 2>&1' || n2e_fail "PulseAudio did not start"

# Started as a launcher starts it, from the Exec line, here in /.
exec=$(sed -n 's/^Exec=//p' "$prefix/share/applications/org.scrivlet.Scrivlet.desktop")
program=$(command -v "$exec") || n2e_fail "the Exec line \"$exec\" names no program on the PATH"
[ "$program" = "$prefix/bin/scrivlet" ] || n2e_fail "the Exec line \"$exec\" starts $program"
[ -e /key.wav ] && n2e_fail "/key.wav exists: the test cannot tell which key.wav plays"
cd / || n2e_fail "cannot change to /"
xdotool mousemove $((screenWidth / 2)) 5
LANGUAGE=de LANG=en_US.UTF-8 n2e_start "$exec"
window=$(n2e_wait_window) || n2e_fail "no window of class scrivlet appeared within ${N2E_WAIT}s"
WIDTH="" HEIGHT=""
n2e_until 5 'eval "$(xdotool getwindowgeometry --shell "$window")"; [ "$WIDTH" -eq "$screenWidth" ] && [ "$HEIGHT" -ge $((screenHeight - 40)) ]' ||
    n2e_fail "the window is ${WIDTH}x${HEIGHT}, not maximised on ${screenWidth}x${screenHeight}"
n2e_wait_canvas "$screenHeight"

formats=$(key_sound_format)
[ "$formats" = "s16le 1ch 22050Hz" ] || n2e_fail "a key played \"$formats\", not the installed key.wav"

# Hilfe > Inhalt: "i" picks it only in German.
n2e_menu h i
n2e_until "$N2E_WAIT" '[ -s "$opened" ]'
page=$(head -n 1 "$opened" 2>/dev/null)
[ "$page" = "$data/help/de/scrivlet.htm" ] || n2e_fail "Hilfe > Inhalt opened \"$page\", not $data/help/de/scrivlet.htm"
n2e_screenshot installed >/dev/null

n2e_menu d b
n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-D, b"
[ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS"
[ -s "$N2E_OPTIONS" ] || n2e_fail "the run wrote no options file $N2E_OPTIONS"

# With its help page and key sound gone (prefix only: the package's files
# are dpkg's), Help says so on standard error and opens nothing, a key plays
# the desktop's own sound, and the toy goes on.
if [ "$installedByUs" = prefix ]; then
    rm "$data/help/scrivlet.htm" "$data/key.wav"
    n2e_start "$exec"
    n2e_wait_window >/dev/null || n2e_fail "no window without the data files"
    n2e_wait_canvas "$screenHeight"
    formats=$(key_sound_format)
    [ "$formats" = "s16le 2ch 44100Hz" ] || n2e_fail "without key.wav a key played \"$formats\", not the bell"
    n2e_menu h c
    n2e_until "$N2E_WAIT" 'grep -q "no help" "$N2E_DIR/program.log"'
    grep -qx "scrivlet: no help: help/scrivlet.htm is found neither in PREFIX/share/scrivlet nor beside $prefix/bin/scrivlet" \
        "$N2E_DIR/program.log" || n2e_fail "Help without its page said \"$(cat "$N2E_DIR/program.log")\""
    [ "$(wc -l <"$opened")" -eq 1 ] || n2e_fail "Help without its page opened something"
    n2e_menu f x
    n2e_wait_exit || n2e_fail "still running ${N2E_WAIT}s after Alt-F, x without the data files"
    [ "$N2E_STATUS" -eq 0 ] || n2e_fail "exited with $N2E_STATUS without the data files"
fi

# Removed, nothing of it is left but the user's options.
uninstalled=$installedByUs
uninstall
[ "$uninstalled" = deb ] && dpkg-query -W -f='${Status}\n' scrivlet 2>/dev/null | grep -q ' installed$' &&
    n2e_fail "scrivlet is still installed after apt-get remove; see $N2E_DIR/apt-remove.log"
left=$(while read -r path; do
    [ -d "$path" ] || { [ -e "$path" ] && echo "$path"; }
done <"$N2E_DIR/installed")
[ -z "$left" ] || n2e_fail "left after removal: $left"
for folder in "$data" "$prefix/share/doc/scrivlet"; do
    [ -e "$folder" ] && [ "$uninstalled" = deb ] && n2e_fail "$folder is left after removal"
done
[ -s "$N2E_OPTIONS" ] || n2e_fail "removing the package removed the options file"
n2e_pass
