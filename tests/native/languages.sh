#!/bin/bash
# End to end in other languages, one row of the table a language: under the
# row's environment the menus and the options dialog hold that language's
# words (printed by the shell's own code); Alt with the File title's letter
# in that language opens it and the items are picked by their translated
# letters; the options dialog, the title once the "0-6 months" preset holds
# the pointer, the Save chooser and the box of a failed save are titled in
# that language; Help > Contents opens that language's help page.
# Usage: languages.sh SCRIVLET TEXTS_PROBE
set -uo pipefail

program=${1:?usage: languages.sh SCRIVLET TEXTS_PROBE}
probe=${2:?usage: languages.sh SCRIVLET TEXTS_PROBE}
. "$(dirname "$0")/lib.sh"

# language | environment | keys: File, Options, Save, Help, Contents |
# options dialog | held title | Save chooser | failed save |
# texts of the menus and the dialog, ";" between them
table=(
    "de|LANG=en_US.UTF-8 LANGUAGE=de|d o s h i|Scrivlet-Optionen|Scrivlet. (Alt-D - Menü)|Dateinamen für das Bild auswählen|Bild nicht gespeichert|_Datei;_Bearbeiten;_Hilfe;Als BMP _speichern;Alles _löschen;Inhalt;Voreinstellungen;Bei Mausbewegung malen;0-6 Monate;24 Monate und älter;Abbrechen;_Hilfe"
    "ru|LANG=ru_RU.UTF-8|Cyrillic_ef Cyrillic_pe Cyrillic_es Cyrillic_es Cyrillic_es|Параметры Scrivlet|Scrivlet. (Alt-Ф - меню)|Выберите имя файла для сохранения рисунка|Рисунок не сохранён|_Файл;_Правка;_Справка;_Сохранить как BMP;_Очистить;Содержание;Предустановки;Рисовать при движении мыши;0-6 месяцев;24 месяца и старше;Отмена"
)

n2e_require_tools
n2e_start_desktop
read -r screenWidth screenHeight < <(xdotool getdisplaygeometry)
n2e_stand_in_browser

for row in "${table[@]}"; do
    IFS='|' read -r lang environment keys dialogTitle heldTitle chooserTitle failedTitle texts <<<"$row"
    read -r fileKey optionsKey saveKey helpKey contentsKey <<<"$keys"
    # shellcheck disable=SC2086
    export $environment
    rm -f "$N2E_OPTIONS" "$N2E_OPENED"

    "$probe" >"$N2E_DIR/texts-$lang" 2>&1 || n2e_fail "$lang: the texts probe failed: $(cat "$N2E_DIR/texts-$lang")"
    [ "$(head -n 1 "$N2E_DIR/texts-$lang")" = "language: $lang" ] ||
        n2e_fail "$lang: the catalogue chosen is \"$(head -n 1 "$N2E_DIR/texts-$lang")\""
    IFS=';' read -ra wanted <<<"$texts"
    for text in "${wanted[@]}"; do
        grep -qxF -- "$text" "$N2E_DIR/texts-$lang" || n2e_fail "$lang: no \"$text\" among the texts:"$'\n'"$(cat "$N2E_DIR/texts-$lang")"
    done

    xdotool mousemove $((screenWidth / 2)) 5
    n2e_start "$program"
    window=$(n2e_wait_window) || n2e_fail "$lang: no window of class scrivlet appeared within ${N2E_WAIT}s"
    n2e_wait_canvas "$screenHeight"

    # Two steps up from the defaults' preset is "0-6 months", which holds
    # the pointer; Enter is OK.
    n2e_menu "$fileKey" "$optionsKey"
    n2e_find_window "^$dialogTitle\$" >/dev/null ||
        n2e_fail "$lang: no window \"$dialogTitle\"; see $(n2e_screenshot "options-$lang")"
    xdotool key Up Up Return
    title=$(n2e_wait_title "$window" "$heldTitle") || n2e_fail "$lang: after OK the title is \"$title\""

    # Nobody can make files in /proc, not even root.
    n2e_save_as "$chooserTitle" "$fileKey" "$saveKey" /proc/picture
    n2e_find_window "^$failedTitle\$" >/dev/null ||
        n2e_fail "$lang: no \"$failedTitle\" box after saving into /proc; see $(n2e_screenshot "failed-$lang")"
    xdotool key Return
    n2e_until "$N2E_WAIT" "$N2E_TOY_ACTIVE" || n2e_fail "$lang: the toy's window was not active again"

    n2e_menu "$helpKey" "$contentsKey"
    n2e_until "$N2E_WAIT" '[ -s "$N2E_OPENED" ]' || n2e_fail "$lang: Help > Contents opened nothing"
    page=$(head -n 1 "$N2E_OPENED")
    [[ "$page" == */help/$lang/scrivlet.htm ]] || n2e_fail "$lang: Help > Contents opened \"$page\""

    xdotool key alt+F4
    n2e_wait_exit || n2e_fail "$lang: still running ${N2E_WAIT}s after Alt-F4"
    [ "$N2E_STATUS" -eq 0 ] || n2e_fail "$lang: exited with $N2E_STATUS after Alt-F4"
    unset LANGUAGE
    export LANG=C.UTF-8
done
n2e_pass
