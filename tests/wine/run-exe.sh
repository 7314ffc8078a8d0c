#!/bin/bash
# Runs a Windows test program of a Windows build under Wine for ctest:
# run-exe.sh [--fresh-server] PROGRAM.exe [ARGS...]. The Wine prefix and the
# X display are the test run's own (test.sh makes them); this never falls
# back to the developer's. --fresh-server first restarts the wineserver and
# the desktop, for tests that must be the first program a server runs.
set -u

fresh=0
if [ "${1:-}" = --fresh-server ]; then
    fresh=1
    shift
fi
exe=${1:?usage: run-exe.sh [--fresh-server] PROGRAM.exe [ARGS...]}
shift

for name in WINE WINEPREFIX DISPLAY; do
    if [ -z "${!name:-}" ]; then
        echo "run-exe.sh: $name is not set. The Wine tests need the prefix, display and loader" >&2
        echo "that test.sh sets up; run ./test.sh, or export WINE, WINEPREFIX and DISPLAY." >&2
        exit 1
    fi
done
if [ ! -f "$exe" ]; then
    echo "run-exe.sh: no program at $exe; build the Windows build with -DSCRIVLET_WIN_TESTS=ON" >&2
    exit 1
fi

export WINEDEBUG=${WINEDEBUG:--all}
if [ "$fresh" -eq 1 ]; then
    bash "$(dirname "$0")/start-desktop.sh" --restart || exit 1
fi
"$WINE" "$exe" "$@"
status=$?
# A program that ends before it prints anything (Wine's loader refused to
# start it, or a signal ended it) would otherwise fail with no word at all.
[ "$status" -eq 0 ] || echo "run-exe.sh: $(basename "$exe") $* ended with status $status" >&2
exit "$status"
