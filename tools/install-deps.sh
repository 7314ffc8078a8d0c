#!/bin/bash
# Installs the Debian packages that building and testing need, and only the
# missing ones: on a machine that has them all it returns at once without
# touching apt. Needs root, or sudo. With --bench it also installs what
# bench/run and bench/fuzz need.
#
# A mirror caught mid-sync must not stop a first run. A failed index is
# fetched once more and then left to the lists apt already has. The i386
# packages (32-bit Wine) go in on their own, after the rest: when that side
# of the mirror lags behind amd64's, the two cannot agree on versions, and
# the Wine tests run the 64-bit Windows build until it catches up
# (tools/wine-env.sh picks it when 32-bit Wine is missing). Such a failure is
# remembered for a day, with what apt said: a later run that would update the
# lists only for 32-bit Wine says so in one line instead, as an apt-get
# update takes long and the mirror seldom catches up within minutes.
set -euo pipefail

native=(g++ make cmake python3 googletest libgtest-dev libbenchmark-dev)
cross=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools)
wine=(wine wine64 wine32:i386 fonts-wine)
# Xephyr gives the tests a desktop of two monitors.
desktop=(xvfb xserver-xephyr xdotool x11-utils imagemagick fp-utils)
# The native program: GTK 3 and libcanberra to build it, Wayland's
# protocol files and scanner for its pointer confinement there, the
# desktop's event sounds for its key sound, and openbox, a PulseAudio server
# and weston (Wayland) for its end-to-end tests; Xorg with its dummy video
# driver and its test input driver (in the server itself, with its protocol
# header in the development files) for real touches.
native_shell=(libgtk-3-dev libcanberra-dev libwayland-dev libwayland-bin wayland-protocols libcanberra-pulse
    sound-theme-freedesktop openbox pulseaudio pulseaudio-utils weston xserver-xorg-core xserver-xorg-video-dummy
    xserver-xorg-dev)
# The packages: the Windows installer's makensis, and dpkg-shlibdeps and the
# checkers of the Debian package.
packaging=(nsis dpkg-dev fakeroot lintian desktop-file-utils appstream man-db)
# The translations: gettext's tools, po4a for the help page, Wine's resource
# compiler (wrc, with Wine's headers) for the Windows resources of every
# language, and the locales the tests run the programs under.
translation=(gettext po4a wine64-tools libwine-dev locales)
# The fuzz targets: clang with libFuzzer.
fuzz=(clang libclang-rt-14-dev)
# The peer toys, a sound server with a null sink, a window manager, and the X
# headers for the map watcher and the latency tool.
bench=(tuxpaint bambam pulseaudio pulseaudio-utils openbox libx11-dev libxtst-dev libxdamage-dev)
wanted=("${native[@]}" "${cross[@]}" "${wine[@]}" "${desktop[@]}" "${native_shell[@]}" "${packaging[@]}"
    "${translation[@]}" "${fuzz[@]}")
case "${1:-}" in
    "") ;;
    --bench) wanted+=("${bench[@]}") ;;
    *)
        echo "install-deps.sh: unknown argument '$1' (only --bench is known)" >&2
        exit 2
        ;;
esac

installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

missing=()
main_packages=()
i386_packages=()
for package in "${wanted[@]}"; do
    installed "$package" && continue
    missing+=("$package")
    case "$package" in
        *:i386) i386_packages+=("$package") ;;
        *) main_packages+=("$package") ;;
    esac
done
[ ${#missing[@]} -eq 0 ] && exit 0

# When 32-bit Wine could not be installed: the time, then apt's reason.
i386_stamp=${XDG_CACHE_HOME:-~/.cache}/scrivlet/wine32-unavailable
i386_retry_seconds=$((24 * 60 * 60))
# Whether the stamp is younger than a day (its time is its first line); one
# from the future, after the clock was put back, is not.
i386_stamp_fresh() {
    local since now
    since=$(head -n 1 "$i386_stamp" 2>/dev/null) && [[ $since =~ ^[0-9]+$ ]] || return 1
    now=$(date +%s)
    [ "$since" -le "$now" ] && [ $((now - since)) -lt "$i386_retry_seconds" ]
}
if [ ${#main_packages[@]} -eq 0 ] && i386_stamp_fresh; then
    since=$(head -n 1 "$i386_stamp")
    echo "install-deps.sh: 32-bit Wine (${i386_packages[*]}) could not be installed on $(date -d "@$since" '+%F %R')" \
        "($(sed -n 2p "$i386_stamp")), so the Wine tests run the 64-bit Windows build; apt is asked again after" \
        "$(date -d "@$((since + i386_retry_seconds))" '+%F %R'), or at once if $i386_stamp is removed." >&2
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
    echo "install-deps.sh: these packages are missing and installing them needs root or sudo:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive

# apt's output of the last step, kept to say what went wrong.
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Lines on standard input, each once, joined with ", ".
join_once() {
    awk '!seen[$0]++ { printf "%s%s", sep, $0; sep = ", " } END { if (sep) print "" }'
}

# Whether the update whose status is $1 (output in $log) left an index
# behind: apt exits 100 for that, though some versions only warn.
update_failed() {
    [ "$1" -ne 0 ] || grep -qE '^E:|^W: Failed to fetch|Some index files failed' "$log"
}

# The indexes the update could not fetch, briefly: apt's "Err:" lines name
# them ("bookworm-security/main i386 Packages"); failing those, the addresses
# it failed to fetch, or else its first complaint.
failed_indexes() {
    local what
    what=$(sed -n 's/^Err:[0-9]* [^ ]* //p' "$log" | join_once)
    [ -n "$what" ] || what=$(sed -nE 's/^[EW]: Failed to fetch ([^ ]+).*/\1/p' "$log" | join_once)
    [ -n "$what" ] || what=$(sed -n '/^[EW]: /{s/^.: //p;q;}' "$log")
    echo "${what:-apt gave no reason}"
}

# One more try if the mirror served a broken index, then on with the lists
# apt has: what we want is most often in them already.
update_lists() {
    local status
    for _ in 1 2; do
        status=0
        "${as_root[@]}" apt-get update -q >"$log" 2>&1 || status=$?
        update_failed "$status" || return 0
    done
    echo "install-deps.sh: apt-get update could not fetch some indexes ($(failed_indexes)); going on with the package lists apt has." >&2
}

# The packages apt's complaints in $log name; failing those, the arguments.
packages_named() {
    local named
    named=$(sed -nE -e "s/^E: Unable to locate package (.*)/\1/p" \
        -e "s/^E: Package '([^']*)' has no installation candidate/\1/p" \
        -e 's/^ ([^ ]+) : .*/\1/p' "$log" | join_once)
    echo "${named:-$*}"
}

# What apt said went wrong: the unmet dependencies it lists, and its E: lines.
apt_reason() {
    awk '/unmet dependencies:/ { deps = 1 } deps || /^E: /' "$log"
}

# The packages nothing can stand in for: apt's output shows as it comes,
# and if it fails, its reason comes again at the end, where it is seen.
install_main() {
    local status=0 reason
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get install -y -q "$@" 2>&1 | tee "$log" || status=$?
    [ "$status" -eq 0 ] && return 0
    reason=$(apt_reason)
    {
        echo "install-deps.sh: could not install $(packages_named "$@"); apt-get said:"
        echo "${reason:-apt-get install exited with status $status}"
    } >&2
    exit 1
}

# 32-bit Wine, quietly: where it cannot be had, the 64-bit build stands in,
# and the stamp keeps later runs from updating the lists for it for a day. A
# stamp that cannot be written only costs those runs their time.
install_i386() {
    local reason
    if "${as_root[@]}" apt-get install -y -q "$@" >"$log" 2>&1; then
        rm -f "$i386_stamp"
        return 0
    fi
    # apt's first complaint: the unmet dependency, or else its first E: line.
    reason=$(apt_reason | sed -n '/unmet dependencies:$/d; s/^E: //; s/^ *//p' | head -n 1)
    { mkdir -p "$(dirname "$i386_stamp")" && { date +%s && echo "${reason:-apt-get install failed}" &&
        cat "$log"; } >"$i386_stamp"; } 2>/dev/null || true
    echo "install-deps.sh: 32-bit Wine ($*) could not be installed (${reason:-apt-get install failed}), so the Wine" \
        "tests will run the 64-bit Windows build; later runs ask apt again after" \
        "$(date -d "@$(($(date +%s) + i386_retry_seconds))" '+%F %R'), or at once if $i386_stamp is removed." >&2
}

if [ ${#i386_packages[@]} -gt 0 ] && ! grep -qx i386 <<<"$(dpkg --print-foreign-architectures)"; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
update_lists
if [ ${#main_packages[@]} -gt 0 ]; then
    install_main "${main_packages[@]}"
fi
if [ ${#i386_packages[@]} -gt 0 ]; then
    install_i386 "${i386_packages[@]}"
fi
