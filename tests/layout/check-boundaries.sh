#!/bin/bash
# The layout's one rule, checked on every include: nothing under core/
# includes a platform header (Windows, GTK, GDK, X11, cairo, GLib) or a
# shell's header, and neither shell includes the other's. Prints each
# offending line and exits 1; exits 0 when the tree keeps the rule.
#   check-boundaries.sh SOURCE_ROOT
set -uo pipefail
root=${1:?usage: check-boundaries.sh SOURCE_ROOT}
[ -d "$root/core" ] || { echo "check-boundaries.sh: no core/ under '$root'" >&2; exit 2; }

platform='<(windows|winuser|wingdi|winbase|winreg|mmsystem|commdlg|commctrl|shellapi|shlobj|htmlhelp)\.h>|<(gtk|gdk|glib|gio|gobject|X11|cairo|pango|atk|canberra)[/.-]|<(glib|gio|cairo|atk-bridge|canberra)[a-z-]*\.h>'
failed=0
# check DIRECTORY PATTERN WHY
check() {
    local found
    found=$(grep -rnEH --include='*.h' --include='*.cpp' --include='*.c' --include='*.in' \
        "^[[:space:]]*#[[:space:]]*include[[:space:]]*($2)" "$root/$1" 2>/dev/null)
    if [ -n "$found" ]; then
        echo "$3:"
        sed "s|^$root/||" <<<"$found"
        failed=1
    fi
}
check core "$platform" "core/ includes a platform header"
check core '"(win32|gtk)/' "core/ includes a shell's header"
check win32 '"gtk/' "win32/ includes the GTK shell's header"
check gtk '"win32/' "gtk/ includes the Win32 shell's header"
exit $failed
