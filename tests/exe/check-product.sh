#!/bin/bash
# Checks the shipped scrivlet.exe as a file: a 32-bit GUI program that runs
# on a bare Windows (it imports exactly the system DLLs and functions that
# imports.txt beside this script lists), with comdlg32 left to be loaded when
# a file dialog opens, with its version block and its icon, and with no
# manifest asking for an execution level, the version being VERSION
# (MAJOR.MINOR.PATCH). Usage: check-product.sh scrivlet.exe VERSION
set -uo pipefail

exe=${1:?usage: check-product.sh scrivlet.exe VERSION}
version=${2:?usage: check-product.sh scrivlet.exe VERSION}
IFS=. read -r major minor patch <<<"$version"
[[ "$major.$minor.$patch" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "FAIL: '$version' is not MAJOR.MINOR.PATCH" >&2; exit 2; }
expectedImports=$(dirname "${BASH_SOURCE[0]}")/imports.txt
objdump=i686-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

[ -f "$exe" ] || { echo "FAIL: no program at $exe" >&2; exit 1; }
command -v "$objdump" >/dev/null || { echo "FAIL: $objdump is missing (binutils)" >&2; exit 1; }
headers=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe" >&2; exit 1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not a 32-bit x86 program: $(grep -m1 'file format' <<<"$headers")"
grep -qE '^Magic[[:space:]]+010b' <<<"$headers" || fail "not a PE32 image"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI program: $(grep -m1 '^Subsystem' <<<"$headers")"

# Every imported function, as "DLL FUNCTION" (an import by ordinal as
# "DLL #N"), against the list kept in the tree. A DLL outside the system set
# (libgcc, libstdc++, winpthread...) would make the program fail to start on
# a machine without MinGW, and a function that an older Windows lacks, on
# that Windows; so a new import goes into imports.txt on purpose, when it is
# known to be fine.
imports=$(awk '
    /^The Import Tables/ { table = 1 }
    /^PE File Base Relocations/ { table = 0 }
    table && /DLL Name:/ { dll = toupper($3); next }
    table && dll && /^\t[0-9a-f]+\t/ { print dll, ($3 == "<none>" ? "#" $2 : $3) }' <<<"$headers" | LC_ALL=C sort)
dlls=$(awk '{ print $1 }' <<<"$imports" | uniq)
if [ ! -f "$expectedImports" ]; then
    fail "no list of the expected imports at $expectedImports"
elif [ -z "$imports" ]; then
    fail "no imported functions found"
else
    difference=$(LC_ALL=C diff --old-line-format='  - %L' --new-line-format='  + %L' --unchanged-line-format='' \
        <(grep -v -e '^#' -e '^$' "$expectedImports" | LC_ALL=C sort) - <<<"$imports")
    [ -z "$difference" ] ||
        fail "the imports differ from $expectedImports" \
            "(- listed there but not imported, + imported but not listed):"$'\n'"$difference"
    grep -qx COMDLG32.DLL <<<"$dlls" &&
        fail "imports COMDLG32.DLL at start-up; it is to be loaded when a file dialog opens"
fi

# The late import names the DLL and the two dialogs' functions by name.
for name in comdlg32.dll GetOpenFileNameW GetSaveFileNameW; do
    LC_ALL=C grep -qa "$name" "$exe" || fail "no late import of $name"
done

# Resources by type: 3 icon image, 14 icon group, 16 version. The type level
# of objdump's resource tree is indented by three spaces, names by five.
read -r iconImages iconGroup104 versionBlocks < <(awk '
    /^[0-9a-f]+   Entry: ID: / { type = $4; sub(/,$/, "", type) }
    /^[0-9a-f]+     Entry: ID: / {
        name = $4
        sub(/,$/, "", name)
        if (type == "0x000003") images++
        if (type == "0x00000e" && name == "0x000068") group = 1
        if (type == "0x000010") versions++
    }
    END { print images + 0, group + 0, versions + 0 }' <<<"$headers")
[ "$iconImages" -ge 2 ] || fail "expected two icon images (16 and 256 colours), found $iconImages"
[ "$iconGroup104" -eq 1 ] || fail "no icon group resource 104"
[ "$versionBlocks" -eq 1 ] || fail "expected one version block, found $versionBlocks"

# The fixed part of the version block: signature FEEF04BD, structure version
# 1.0, then the file version MAJOR.MINOR . PATCH.0 as two little-endian
# 32-bit words of 16-bit halves (minor first, then major; 0, then patch).
word() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8)); }
pattern="\\xbd\\x04\\xef\\xfe\\x00\\x00\\x01\\x00$(word "$minor")$(word "$major")\\x00\\x00$(word "$patch")"
LC_ALL=C grep -qaP "$pattern" "$exe" || fail "the version block does not carry file version $version.0"

# A manifest asking for an execution level would switch off the registry
# virtualisation that lets a parent without administrator rights keep the
# options written under HKLM. Some MinGW toolchains link one in by default
# (default-manifest.o asks for asInvoker).
LC_ALL=C grep -qa 'requestedExecutionLevel' "$exe" &&
    fail "the exe carries a manifest with a requested execution level"

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "PASS: $exe is a 32-bit GUI program importing the $(wc -l <<<"$imports") functions of imports.txt" \
    "from ${dlls//$'\n'/ } (and comdlg32 late), version $version.0, with its icon"
