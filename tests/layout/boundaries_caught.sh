#!/bin/bash
# The boundary check itself: a tree with one breach of each kind must fail
# with each named, and the same tree without them must pass.
#   boundaries_caught.sh CHECK_SCRIPT
set -euo pipefail
check=${1:?usage: boundaries_caught.sh CHECK_SCRIPT}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/core" "$tree/win32" "$tree/gtk"
printf '#include <cstdint>\n#include "core/types.h"\n#include "res/texts.h"\n' >"$tree/core/clean.h"
printf '#include <windows.h>\n#include "core/types.h"\n' >"$tree/win32/fine.cpp"
printf '#include <gtk/gtk.h>\n#include <X11/Xlib.h>\n' >"$tree/gtk/fine.cpp"
"$check" "$tree" >/dev/null || { echo "a clean tree was refused"; exit 1; }

printf '#include <windows.h>\n' >"$tree/core/a.cpp"
printf '  #  include <gdk/gdkx.h>\n' >"$tree/core/b.h"
printf '#include <cairo.h>\n#include <glib-unix.h>\n' >"$tree/core/c.cpp"
printf '#include "win32/app.h"\n' >"$tree/core/d.cpp"
printf '#include "gtk/canvas_gtk.h"\n' >"$tree/win32/e.cpp"
printf '#include "win32/canvas_win.h"\n' >"$tree/gtk/f.cpp"
status=0
out=$("$check" "$tree") || status=$?
[ "$status" -eq 1 ] || { echo "exit status $status for a tree with breaches"; exit 1; }
for line in core/a.cpp:1 core/b.h:1 core/c.cpp:1 core/c.cpp:2 core/d.cpp:1 win32/e.cpp:1 gtk/f.cpp:1; do
    grep -q "^$line:" <<<"$out" || { echo "not named: $line"; echo "$out"; exit 1; }
done
if grep -q "fine.cpp\|clean.h" <<<"$out"; then
    echo "named a clean file:"; echo "$out"; exit 1
fi
echo "every breach named"
