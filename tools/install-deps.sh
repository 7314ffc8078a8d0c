#!/bin/bash
# Installs the Debian packages that building and testing need, and only the
# missing ones: on a machine that has them all it returns at once without
# touching apt. Needs root, or sudo. With --bench it also installs what
# bench/run and bench/fuzz need.
set -euo pipefail

native=(g++ make cmake python3 googletest libgtest-dev libbenchmark-dev)
cross=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools)
wine=(wine wine64 wine32:i386 fonts-wine)
# Xephyr gives the tests a desktop of two monitors.
desktop=(xvfb xserver-xephyr xdotool x11-utils imagemagick fp-utils)
# The native program: GTK 3 and libcanberra to build it, Wayland's
# protocol files and scanner for its pointer confinement there, the
# desktop's event sounds for its key sound, and openbox, a PulseAudio server
# and weston (Wayland) for its end-to-end tests.
native_shell=(libgtk-3-dev libcanberra-dev libwayland-dev libwayland-bin wayland-protocols libcanberra-pulse
    sound-theme-freedesktop openbox pulseaudio pulseaudio-utils weston)
# The packages: the Windows installer's makensis, and dpkg-shlibdeps and the
# checkers of the Debian package.
packaging=(nsis dpkg-dev fakeroot lintian desktop-file-utils appstream man-db)
# The peer toys, a sound server with a null sink, a window manager, Xlib's
# headers for the map watcher, and clang with libFuzzer.
bench=(tuxpaint bambam pulseaudio pulseaudio-utils openbox libx11-dev clang libclang-rt-14-dev)
wanted=("${native[@]}" "${cross[@]}" "${wine[@]}" "${desktop[@]}" "${native_shell[@]}" "${packaging[@]}")
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
for package in "${wanted[@]}"; do
    installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
    echo "install-deps.sh: these packages are missing and installing them needs root or sudo:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# wine32 comes from the i386 side of the archive.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q "${missing[@]}"
