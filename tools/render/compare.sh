#!/bin/bash
# Counts the pixels in which the native program's cairo canvas differs from
# the Windows program's GDI canvas (under Wine) on replay scripts, and checks
# that the centre of every blossom and line has its exact colour in both.
# Usage: compare.sh NATIVE_BUILD WINDOWS_BUILD SCRIPT...
# Needs Wine (tools/wine-env.sh picks it); makes and removes its own prefix.
set -euo pipefail

native=${1:?usage: compare.sh NATIVE_BUILD WINDOWS_BUILD SCRIPT...}
windows=${2:?usage: compare.sh NATIVE_BUILD WINDOWS_BUILD SCRIPT...}
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/wine-env.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-render.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanUp() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    timeout 20 "$WINESERVER" -w >/dev/null 2>&1 || true
    [ -n "${RENDER_KEEP:-}" ] && echo "kept in $work" || rm -rf "$work"
}
trap cleanUp EXIT
# No display at all: GDI on memory bitmaps needs none.
"$WINE" wineboot --init </dev/null >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
"$WINESERVER" -k >/dev/null 2>&1 || true

printf '%-28s %9s %9s %9s %s\n' script pixels differ share "centres (exact/all)"
for script in "$@"; do
    name=$(basename "$script" .script)
    size=$(awk '$1 == "size" { w = $2; h = $3 } END { print (w ? w : 1024), (h ? h : 768) }' "$script")
    read -r width height <<<"$size"
    "$native/scrivlet-replay" "$script" >"$work/$name.marks"
    "$native/scrivlet-render" "$width" "$height" "$work/$name.cairo.ppm" <"$work/$name.marks"
    "$WINE" "$windows/scrivlet-render.exe" "$width" "$height" 'Z:'"$work/$name.gdi.ppm" \
        <"$work/$name.marks" >/dev/null 2>&1
    differ=$(compare -metric AE "$work/$name.cairo.ppm" "$work/$name.gdi.ppm" null: 2>&1 || true)
    # Centres: the middle of every segment and the centre of every blossom,
    # read in both pictures.
    awk '$1 == "segment" { print int(($2 + $4) / 2), int(($3 + $5) / 2) }
         $1 == "stamp" { print $2, $3 }' "$work/$name.marks" |
        awk -v w="$width" -v h="$height" '$1 >= 0 && $2 >= 0 && $1 < w && $2 < h' | sort -u >"$work/$name.centres"
    pick() {
        convert "$1" -depth 8 txt:- |
            awk -F'[,: ]+' 'NR == FNR { want[$1 "," $2] = 1; next }
                            ($1 "," $2) in want { print $1, $2, $0 ~ /#/ ? substr($0, index($0, "#"), 7) : "" }' \
                "$work/$name.centres" - | sort
    }
    all=$(wc -l <"$work/$name.centres")
    exact=$(join -j 1 <(pick "$work/$name.cairo.ppm" | awk '{ print $1 "," $2, $3 }') \
        <(pick "$work/$name.gdi.ppm" | awk '{ print $1 "," $2, $3 }') | awk '$2 == $3' | wc -l)
    share=$(awk -v d="$differ" -v n=$((width * height)) 'BEGIN { printf "%.4f%%", d * 100 / n }')
    printf '%-28s %9d %9s %9s %d/%d\n' "$name" $((width * height)) "$differ" "$share" "$exact" "$all"
done
