#!/bin/bash
# End to end in the parent's own language: the toy started under each UI
# language of the table below shows its confined title, its menu bar, the
# options dialog (labels and preset names) and the message of a failed save
# in that language, each text as the language's catalogue has it (English:
# the texts themselves). Russian runs with an English ANSI code page
# (LC_CTYPE en_US), on which only a Unicode window can show it.
# Usage: languages.sh SCRIVLET_EXE WINDOW_TEXTS_EXE WIN_TESTS_EXE PO_DIR
#   (needs WINE, WINESERVER, WINEPREFIX, DISPLAY, and the locales that
#   tools/make-locales.sh makes)
set -uo pipefail

usage="usage: languages.sh SCRIVLET_EXE WINDOW_TEXTS_EXE WIN_TESTS_EXE PO_DIR"
exe=${1:?$usage}
windowTexts=${2:?$usage}
winTests=${3:?$usage}
poDir=${4:?$usage}
. "$(dirname "$0")/lib.sh"

# Each language: its catalogue ("en" for none) and the locale Wine starts
# the toy under, from which it takes its UI language and code page.
languages=(
    "en LANG=en_US.UTF-8"
    "de LANG=de_DE.UTF-8"
    "ru LANG=en_US.UTF-8 LC_MESSAGES=ru_RU.UTF-8"
)

base=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-languages.XXXXXX")
forgetOptions() { "$WINE" reg delete 'HKLM\Software\Scrivlet' /f </dev/null >/dev/null 2>&1; }
trap 'e2e_cleanup; forgetOptions; rm -rf "$base"' EXIT

e2e_prepare "$exe"
[ -f "$windowTexts" ] || e2e_fail "no helper at $windowTexts"
[ -f "$winTests" ] || e2e_fail "no test program at $winTests"
[ -n "${WINESERVER:-}" ] || e2e_fail "WINESERVER is not set: run through test.sh"

# What the catalogue of `lang` says for an English text, as gettext reads it.
lang=en
say() {
    if [ "$lang" = en ]; then
        printf '%s' "$1"
    else
        LANGUAGE=$lang LC_ALL=C.UTF-8 TEXTDOMAINDIR="$base/mo" gettext -d scrivlet "$1"
    fi
}
for po in "$poDir"/*.po; do
    name=$(basename "$po" .po)
    mkdir -p "$base/mo/$name/LC_MESSAGES"
    msgfmt -o "$base/mo/$name/LC_MESSAGES/scrivlet.mo" "$po" || e2e_fail "msgfmt refused $po"
done
texts() { "$WINE" "$windowTexts" "$@" 2>>"$E2E_SHOTS/window_texts.log" | tr -d '\r'; }
# The lines a helper printed hold `text`, whole.
expectLine() {  # expectLine FILE TEXT WHAT
    grep -qxF -- "$2" "$1" || e2e_fail "[$lang] $3 \"$2\" is missing; shown: $(tr '\n' '|' <"$1")"
}

# The default options, with the pointer held (clipMousePointer, offset 20).
zeros=$(printf '00%.0s' $(seq 253))
options="010000000100000001000000000000000100000001000000$(printf 'key.wav' | od -An -tx1 | tr -d ' \n')$zeros"
mkdir -p "$base/pictures/drawing.bmp"
winPictures="Z:${base//\//\\}\\pictures"

for entry in "${languages[@]}"; do
    read -r lang locale <<<"$entry"
    # A clip takes effect for the first program of a fresh wineserver only.
    bash "$(dirname "$0")/../wine/start-desktop.sh" --restart || e2e_fail "could not restart the wineserver"
    "$WINE" reg add 'HKLM\Software\Scrivlet\1.2' /v Options /t REG_BINARY /d "$options" /f </dev/null \
        >/dev/null 2>&1 || e2e_fail "could not store the options with reg add"
    e2e_park_pointer
    # shellcheck disable=SC2086 # the locale is a list of assignments
    env -u LC_ALL -u LANGUAGE -u LC_MESSAGES -u LC_CTYPE $locale "$WINE" "$exe" >"$E2E_SHOTS/wine-$lang.log" 2>&1 &
    E2E_PID=$!

    title=$(say "Scrivlet. (Alt-F - menu)")
    shown=""
    x11_until "$E2E_WAIT" 'shown=$(texts --title scrivlet); [ "$shown" = "$title" ]' ||
        e2e_fail "[$lang] the title is \"$shown\", not \"$title\", see $(e2e_screenshot "$lang-title")"
    e2e_screenshot "$lang-window" >/dev/null

    # The options dialog, from the menu's command.
    texts --command scrivlet 40006 >/dev/null || e2e_fail "[$lang] could not ask for the options"
    texts "$(say "Scrivlet options")" "$E2E_WAIT" >"$E2E_SHOTS/$lang-options.txt" ||
        e2e_fail "[$lang] no dialog titled \"$(say "Scrivlet options")\", see $(e2e_screenshot "$lang-options")"
    e2e_screenshot "$lang-options" >/dev/null
    for label in OK Cancel Help "Presets" "Draw when mouse moves" "Erase with right button " \
        "Draw with black margins" "Auto draw" "Clip mouse pointer" "Key sound" "Enable" "Sound file" \
        "0-6 months" "6-12 months" "12-24 months" "24 months and up"; do
        expectLine "$E2E_SHOTS/$lang-options.txt" "$(say "$label")" "the options dialog's"
    done
    xdotool key Escape
    x11_until "$E2E_WAIT" "! xdotool search --name '^$(say "Scrivlet options")\$' >/dev/null 2>&1" ||
        e2e_fail "[$lang] Escape did not close the options dialog"

    # Save as BMP onto a name that is a folder: the message says so.
    texts --command scrivlet 40005 >/dev/null || e2e_fail "[$lang] could not ask to save"
    chooser=$(say "Choose filename to save the image")
    timeout "$E2E_WAIT" xdotool search --sync --name "^$chooser\$" >/dev/null 2>&1 ||
        e2e_fail "[$lang] no Save As dialog titled \"$chooser\", see $(e2e_screenshot "$lang-save")"
    xdotool type --delay 20 "$winPictures\\drawing"
    xdotool key Return
    # Wine asks before replacing what has the name with a prompt titled
    # like the chooser; its first button says yes.
    x11_until "$E2E_WAIT" "[ \"\$(xdotool search --name '^$chooser\$' 2>/dev/null | wc -l)\" -ge 2 ]" ||
        e2e_fail "[$lang] no prompt to replace the folder, see $(e2e_screenshot "$lang-prompt")"
    xdotool key Return
    texts "$(say "Picture not saved")" "$E2E_WAIT" >"$E2E_SHOTS/$lang-message.txt" ||
        e2e_fail "[$lang] no message titled \"$(say "Picture not saved")\", see $(e2e_screenshot "$lang-message")"
    e2e_screenshot "$lang-message" >/dev/null
    grep -qF -- "$(say "there is a folder of that name")" "$E2E_SHOTS/$lang-message.txt" ||
        e2e_fail "[$lang] the message does not say why in its language: $(cat "$E2E_SHOTS/$lang-message.txt")"
    grep -qxF -- "$winPictures\\drawing.bmp" "$E2E_SHOTS/$lang-message.txt" ||
        e2e_fail "[$lang] the message does not name the file: $(cat "$E2E_SHOTS/$lang-message.txt")"
    xdotool key Return

    texts --command scrivlet 65535 >/dev/null || e2e_fail "[$lang] could not ask to exit"
    e2e_expect_exit "after File > Exit" "the $lang run"

    # Another process cannot read a Wine program's menu, so the menu bar is
    # read by the test program's own window, started the same way.
    menu="$(say File)|$(say Edit)|$(say Help)"
    # shellcheck disable=SC2086
    env -u LC_ALL -u LANGUAGE -u LC_MESSAGES -u LC_CTYPE $locale SCRIVLET_EXPECTED_MENU="$menu" \
        "$WINE" "$winTests" --gtest_filter='UserLanguage.*' >"$E2E_SHOTS/$lang-menu.txt" 2>&1 ||
        e2e_fail "[$lang] the menu bar is not \"$menu\": $(grep -A3 Failure "$E2E_SHOTS/$lang-menu.txt")"
    grep -q '\[  PASSED  \] 1 test' "$E2E_SHOTS/$lang-menu.txt" || e2e_fail "[$lang] the menu bar's test did not run"
done
e2e_pass
