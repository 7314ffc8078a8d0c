#!/bin/bash
# Checks the package a parent downloads, as a file: scrivlet-VERSION-win32.zip
# holds one folder of exactly four files, the shipped 32-bit exe (checked like
# the product exe), the compiled help file with its topic page, a short, soft
# key sound, and a read-me in Windows line ends.
# Usage: check-package.sh PACKAGE.zip CHECK_PRODUCT_SCRIPT
set -uo pipefail

zip=${1:?usage: check-package.sh PACKAGE.zip CHECK_PRODUCT_SCRIPT}
checkProduct=${2:?usage: check-package.sh PACKAGE.zip CHECK_PRODUCT_SCRIPT}
folder=$(basename "$zip" .zip)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

[ -f "$zip" ] || { echo "FAIL: no package at $zip (test.sh builds it with the target 'package')" >&2; exit 1; }
zip=$(realpath "$zip")
checkProduct=$(realpath "$checkProduct")
work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

listing=$(cmake -E tar tf "$zip" | grep -v '/$' | sort) || { echo "FAIL: $zip is not a readable zip" >&2; exit 1; }
expected=$(printf '%s\n' "$folder/key.wav" "$folder/readme.txt" "$folder/scrivlet.chm" "$folder/scrivlet.exe")
[ "$listing" = "$expected" ] || fail "the package holds"$'\n'"$listing"$'\n'"instead of"$'\n'"$expected"
(cd "$work" && cmake -E tar xf "$zip") || { echo "FAIL: cannot unpack $zip" >&2; exit 1; }
dir=$work/$folder

# The version the package's name carries is the exe's.
version=$(basename "$zip" | sed -n 's/^scrivlet-\([0-9.]*\)-win32\.zip$/\1/p')
[ -n "$version" ] || fail "the package's name $(basename "$zip") carries no version"
[ -f "$dir/scrivlet.exe" ] && { bash "$checkProduct" "$dir/scrivlet.exe" "$version" >/dev/null || fail "the packaged exe fails $checkProduct"; }

# A compiled help file starts with "ITSF"; its directory names the topic page.
if [ -f "$dir/scrivlet.chm" ]; then
    [ "$(head -c 4 "$dir/scrivlet.chm")" = ITSF ] || fail "scrivlet.chm is not a compiled help file"
    grep -qa '/scrivlet.htm' "$dir/scrivlet.chm" || fail "scrivlet.chm has no page scrivlet.htm"
fi

# The key sound: PCM WAV, a short sound, soft, fading in and out without a click.
if [ -f "$dir/key.wav" ]; then
    python3 - "$dir/key.wav" <<'PYTHON' || fail "key.wav is not a short, soft sound"
import array, sys, wave
with wave.open(sys.argv[1]) as sound:
    assert sound.getsampwidth() == 2, "16-bit samples"
    seconds = sound.getnframes() / sound.getframerate()
    samples = array.array("h", sound.readframes(sound.getnframes()))
peak = max(abs(s) for s in samples) / 32768
print(f"key.wav: {seconds:.3f} s, peak {peak:.2f} of full scale")
assert 0.05 <= seconds <= 0.5, "a short sound"
assert 0.05 <= peak <= 0.5, "audible but soft"
assert abs(samples[0]) < 300 and abs(samples[-1]) < 300, "no click at either end"
PYTHON
fi

# Notepad before Windows 10 shows a file with bare LF line ends as one line.
if [ -f "$dir/readme.txt" ]; then
    lines=$(wc -l <"$dir/readme.txt")
    crlf=$(grep -c $'\r$' "$dir/readme.txt")
    [ "$lines" -gt 10 ] && [ "$crlf" -eq "$lines" ] || fail "readme.txt: $crlf of $lines lines end in CR LF"
    for name in scrivlet.exe scrivlet.chm key.wav; do
        grep -q "$name" "$dir/readme.txt" || fail "readme.txt does not mention $name"
    done
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS: $zip holds $folder/ with scrivlet.exe, scrivlet.chm, key.wav and readme.txt"
