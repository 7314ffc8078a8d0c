#!/bin/bash
# The catalogues as a translator leaves them: every language of LINGUAS has
# both its files, each wholly translated with nothing fuzzy and no warning
# from msgfmt's checks, and the templates hold what the sources hold today.
# Usage: check.sh SOURCE_DIR GENERATED_DIR
set -uo pipefail
source=$1
generated=$2
status=0
bad() {
    echo "FAIL: $*"
    status=1
}

while read -r lang; do
    case "$lang" in "" | "#"*) continue ;; esac
    for po in "$source/po/$lang.po" "$source/po/help/$lang.po"; do
        if [ ! -f "$po" ]; then
            bad "$lang is in LINGUAS but $po is missing"
            continue
        fi
        said=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1)
        # Only "N translated messages." is whole: untranslated and fuzzy
        # counts, and any complaint, come on the same or other lines.
        [[ "$said" =~ ^[0-9]+\ translated\ messages\.$ ]] || bad "$po: $said"
    done
done <"$source/po/LINGUAS"

# The templates extracted afresh must hold the same messages as the ones in
# po/; a text added to the sources and not to the templates never reaches a
# translator.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
if "$source/tools/update-pot.sh" "$generated" "$fresh" >"$fresh/log" 2>&1; then
    for pot in scrivlet.pot help/scrivlet-help.pot; do
        if ! diff <(msgcat --no-location --sort-output "$source/po/$pot") \
            <(msgcat --no-location --sort-output "$fresh/$pot") >"$fresh/diff"; then
            bad "po/$pot is not what tools/update-pot.sh extracts today:"
            cat "$fresh/diff"
        fi
    done
else
    bad "tools/update-pot.sh failed:"
    cat "$fresh/log"
fi
[ $status -eq 0 ] && echo "catalogues whole and templates current"
exit $status
