#!/bin/bash
# Extracts the translators' templates from the English sources:
#   po/scrivlet.pot       the programs' texts (res/scrivlet.rc, which holds
#                         res/texts.h), the desktop entry and the AppStream
#                         metadata
#   po/help/scrivlet-help.pot   the parents' help page
# Usage: tools/update-pot.sh GENERATED_DIR [OUT_DIR]
#   GENERATED_DIR holds version.h (any build tree's generated/); OUT_DIR is
#   where the templates go (default: the source tree's po/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ] || [ ! -f "$1/version.h" ]; then
    echo "usage: tools/update-pot.sh GENERATED_DIR [OUT_DIR] (GENERATED_DIR holds version.h)" >&2
    exit 2
fi
generated=$(cd "$1" && pwd)
out=${2:-$here/po}
mkdir -p "$out/help"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$here"

# wrc reads the resource script as the Windows build does, with Wine's
# headers, and writes every text of its English resources.
wrc --nostdinc -I res -I "$generated" -I /usr/include/wine/wine/windows -O pot -o "$work/rc.pot" res/scrivlet.rc
xgettext --omit-header --from-code=UTF-8 -o "$work/desktop.pot" res/linux/org.scrivlet.Scrivlet.desktop
xgettext --omit-header --from-code=UTF-8 -L AppData -o "$work/metainfo.pot" \
    res/linux/org.scrivlet.Scrivlet.metainfo.xml.in
cat > "$work/header.pot" <<'HEADER'
# The texts of Scrivlet, both programs, their menu entry and metadata.
# This file is distributed under the same license as Scrivlet.
msgid ""
msgstr ""
"Project-Id-Version: scrivlet\n"
"Report-Msgid-Bugs-To: hello@scrivlet.org\n"
"Language: \n"
"MIME-Version: 1.0\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Content-Transfer-Encoding: 8bit\n"
HEADER
# The first header wins, so wrc's own is dropped; wrc's "#:" lines name its input
# file alone.
msgcat --use-first --sort-by-file -o "$work/all.pot" "$work/header.pot" \
    "$work/rc.pot" "$work/desktop.pot" "$work/metainfo.pot"
sed 's|^#: scrivlet.rc|#: res/scrivlet.rc|; s| scrivlet.rc:| res/scrivlet.rc:|g' "$work/all.pot" > "$out/scrivlet.pot"

# po4a writes what it makes under its --destdir: the template, and each
# catalogue merged with it, which is dropped here; po/help is only read.
mkdir -p "$work/po/help"
po4a --quiet --no-translations --force --destdir "$work" po/po4a.cfg
# The creation date would change the file on every run.
sed '/^"POT-Creation-Date:/d' "$work/po/help/scrivlet-help.pot" > "$out/help/scrivlet-help.pot"
