#!/bin/bash
# Makes the locales the tests run the programs under, where they are
# missing: German (a comma before decimals), Russian (another script and,
# under Wine, another ANSI code page than English) and US English. Wine
# takes its UI language and code pages from them, and GTK its language.
# Needs root, or sudo, only when one is missing.
set -euo pipefail
wanted=(de_DE ru_RU en_US)

have() { locale -a 2>/dev/null | grep -qix "$1.utf-\?8"; }

missing=()
for name in "${wanted[@]}"; do
    have "$name" || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "make-locales.sh: the locales ${missing[*]} (UTF-8) are missing and making them needs root or sudo" >&2
        exit 1
    fi
    as_root=(sudo)
fi
for name in "${missing[@]}"; do
    "${as_root[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8"
    if ! have "$name"; then
        echo "make-locales.sh: localedef did not make $name.UTF-8" >&2
        exit 1
    fi
done
