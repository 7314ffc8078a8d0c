#!/bin/bash
# End to end through the Windows installer, in a throwaway copy of the test's
# Wine prefix: setup /S puts the four files and the uninstaller in
# %LOCALAPPDATA%\Programs\Scrivlet, a Start menu shortcut whose "Start in"
# is that folder, and the Uninstall key with name, version, publisher, icon
# and size. The installed exe, started in the shortcut's folder, takes the
# key.wav found there and opens the help found there, and stores its
# options on the way out. The uninstaller /S then removes the files, the
# folder, the shortcut and the key, and leaves the options value.
# Where only the 64-bit build runs, that exe is put in the installed one's
# place before it is started.
# Usage: installer.sh SETUP.exe RUNNABLE_SCRIVLET_EXE   (needs WINE, WINESERVER, WINEPREFIX, DISPLAY)
set -uo pipefail

setup=${1:?usage: installer.sh SETUP.exe RUNNABLE_SCRIVLET_EXE}
runnable=${2:?usage: installer.sh SETUP.exe RUNNABLE_SCRIVLET_EXE}
. "$(dirname "$0")/lib.sh"

e2e_prepare "$setup" installer
# NSIS makes 32-bit installers, which 64-bit Wine alone cannot start (it
# says nothing and exits with 0), so where only the 64-bit build runs there
# is no installer to try.
if [ "${SCRIVLET_WIN_ARCH:-}" = x86_64 ]; then
    echo "SKIP: 32-bit Wine is not installed here, and the installer is a 32-bit program"
    rm -rf "$E2E_SHOTS"
    exit 77
fi
[ -f "$runnable" ] || e2e_fail "no program at $runnable"
[ -n "${WINESERVER:-}" ] || e2e_fail "WINESERVER is not set: run through test.sh"
setup=$(realpath "$setup")
version=$(basename "$setup" | sed -n 's/^scrivlet-\([0-9.]*\)-setup\.exe$/\1/p')
[ -n "$version" ] || e2e_fail "the installer's name $(basename "$setup") carries no version"

# The copy has a wineserver of its own; every Wine process writes to a file,
# so that none holds the test runner's pipe.
prefix=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-setup-prefix.XXXXXX")
removePrefix() {
    e2e_cleanup
    WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1
    WINEPREFIX=$prefix timeout 20 "$WINESERVER" -w >/dev/null 2>&1
    rm -rf "$prefix"
}
trap removePrefix EXIT
cp -a "$WINEPREFIX/." "$prefix/" || e2e_fail "cannot copy the Wine prefix $WINEPREFIX"
export WINEPREFIX=$prefix
wineRun() { "$WINE" "$@" </dev/null 2>>"$E2E_SHOTS/wine-tools.log"; }
uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet'

wineRun "$setup" /S >>"$E2E_SHOTS/wine-tools.log" || e2e_fail "the installer /S failed; see $E2E_SHOTS/wine-tools.log"
unixPath() { wineRun winepath -u "$1" | tr -d '\r'; }
folder=$(unixPath "$(wineRun cmd /c 'echo %LOCALAPPDATA%\Programs\Scrivlet' | tr -d '\r')")
startMenu=$(unixPath "$(wineRun cmd /c 'echo %APPDATA%\Microsoft\Windows\Start Menu\Programs' | tr -d '\r')")
folder=${folder%/} startMenu=${startMenu%/}

files=$(cd "$folder" 2>/dev/null && ls | tr '\n' ' ')
[ "$files" = "key.wav readme.txt scrivlet.chm scrivlet.exe uninstall.exe " ] ||
    e2e_fail "$folder holds \"$files\", not the four files and the uninstaller"
shortcut=$startMenu/Scrivlet.lnk
[ -f "$shortcut" ] || e2e_fail "no shortcut $shortcut"
# The shortcut's target (its local base path) and its "Start in" (its
# working directory string).
read -r -d '' readShortcut <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 20)[0]
at, target = 76, ""
if flags & 0x1:
    at += 2 + struct.unpack_from("<H", data, at)[0]
if flags & 0x2:
    size, _, _, _, base = struct.unpack_from("<IIIII", data, at)
    target = data[at + base:data.index(b"\0", at + base)].decode("latin-1")
    at += size
strings = {}
for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "start_in"), (0x20, "arguments"), (0x40, "icon")):
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        size = count * 2 if flags & 0x80 else count
        strings[name] = data[at + 2:at + 2 + size].decode("utf-16-le" if flags & 0x80 else "latin-1")
        at += 2 + size
print(target)
print(strings.get("start_in", ""))
PYTHON
{ read -r target; read -r startIn; } < <(python3 -c "$readShortcut" "$shortcut" | tr -d '\r')
[ "$(unixPath "$target")" = "$folder/scrivlet.exe" ] || e2e_fail "the shortcut starts \"$target\""
[ "$(unixPath "$startIn")" = "$folder" ] || [ "$(unixPath "$startIn")" = "$folder/" ] ||
    e2e_fail "the shortcut's \"Start in\" is \"$startIn\", not the installed folder"

key=$(wineRun reg query "$uninstallKey" | tr -d '\r')
valueOf() { awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$key"; }
[ "$(valueOf DisplayName)" = Scrivlet ] || e2e_fail "the Uninstall key's DisplayName is \"$(valueOf DisplayName)\""
[ "$(valueOf DisplayVersion)" = "$version" ] || e2e_fail "DisplayVersion is \"$(valueOf DisplayVersion)\""
[ "$(valueOf Publisher)" = "The Scrivlet developers" ] || e2e_fail "Publisher is \"$(valueOf Publisher)\""
[[ "$(valueOf DisplayIcon)" == *'\scrivlet.exe",0' ]] || e2e_fail "DisplayIcon is \"$(valueOf DisplayIcon)\""
[[ "$(valueOf UninstallString)" == *'\uninstall.exe"' ]] || e2e_fail "UninstallString is \"$(valueOf UninstallString)\""
size=$(valueOf EstimatedSize)
[ -n "$size" ] && [ $((size)) -gt 0 ] || e2e_fail "EstimatedSize is \"$size\""

if [ "${SCRIVLET_WIN_ARCH:-}" != i686 ]; then
    cp "$runnable" "$folder/scrivlet.exe" || e2e_fail "cannot put $runnable into $folder"
fi
read -r screenWidth _ < <(xdotool getdisplaygeometry)
cd "$(unixPath "$startIn")" || e2e_fail "cannot change to the shortcut's folder"
export WINEDEBUG=-all,+file
e2e_launch scrivlet.exe
# The folder is on drive C: here, so the trace names it by its Unix path.
opened="-> \"$folder/key.wav\""
for _ in $(seq $((E2E_WAIT * 10))); do
    grep -qF -- "$opened" "$E2E_SHOTS/wine.log" && break
    sleep 0.1
done
grep -qF -- "$opened" "$E2E_SHOTS/wine.log" || e2e_fail "key.wav was not looked for in $folder; see $E2E_SHOTS/wine.log"
export WINEDEBUG=-all
e2e_open_help_contents
xdotool key alt+F4
sleep 0.5
xdotool mousemove $((screenWidth / 2)) 5 click 1
sleep 0.5
e2e_exit_alt_f4 >/dev/null
options=$(wineRun reg query 'HKLM\Software\Scrivlet\1.2' /v Options | tr -d '\r')
[[ "$options" == *REG_BINARY* ]] || e2e_fail "the toy stored no options value"

# The uninstaller runs a copy of itself and returns at once: wait for it,
# outside the folder it removes.
cd / || e2e_fail "cannot change to /"
wineRun "$folder/uninstall.exe" /S >>"$E2E_SHOTS/wine-tools.log" || e2e_fail "the uninstaller /S failed"
for _ in $(seq $((E2E_WAIT * 10))); do
    [ -e "$folder" ] || [ -e "$shortcut" ] || break
    sleep 0.1
done
[ -e "$folder" ] && e2e_fail "the uninstaller left $folder: $(ls "$folder")"
[ -e "$shortcut" ] && e2e_fail "the uninstaller left the shortcut"
wineRun reg query "$uninstallKey" >/dev/null 2>&1 && e2e_fail "the uninstaller left the Uninstall key"
[ "$(wineRun reg query 'HKLM\Software\Scrivlet\1.2' /v Options | tr -d '\r')" = "$options" ] ||
    e2e_fail "the uninstaller removed the options value"
e2e_pass
