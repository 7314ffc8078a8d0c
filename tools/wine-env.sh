# shellcheck shell=bash
# Sourced by run.sh and test.sh: picks the Windows build that can run on this
# host and the Wine loader that runs it. The shipped program is the 32-bit
# build; where the kernel cannot execute 32-bit code (IA-32 emulation off)
# only 64-bit Wine works, so the same sources are built and run for x86_64.
#
# Exports SCRIVLET_WIN_ARCH (i686 or x86_64), WINE (the loader) and
# WINESERVER. A caller may preset SCRIVLET_WIN_ARCH to force a choice.

scrivlet_wine32_runs() {
    [ -x /usr/lib/wine/wine ] || return 1
    # A kernel without 32-bit support fails at once with "Exec format error";
    # the timeout only guards against a loader that hangs.
    timeout 10 /usr/lib/wine/wine --version >/dev/null 2>&1
}

if [ -z "${SCRIVLET_WIN_ARCH:-}" ]; then
    if scrivlet_wine32_runs; then
        SCRIVLET_WIN_ARCH=i686
    else
        SCRIVLET_WIN_ARCH=x86_64
    fi
fi

case "$SCRIVLET_WIN_ARCH" in
    i686) WINE=/usr/lib/wine/wine ;;
    x86_64) WINE=/usr/lib/wine/wine64 ;;
    *)
        echo "wine-env.sh: SCRIVLET_WIN_ARCH must be i686 or x86_64, not '$SCRIVLET_WIN_ARCH'" >&2
        return 1
        ;;
esac

# The 64-bit server serves both loaders; Debian's wrapper script would add
# its own -p0, which would fight our persistent server.
if [ -x /usr/lib/wine/wineserver64 ]; then
    WINESERVER=/usr/lib/wine/wineserver64
else
    WINESERVER=/usr/lib/wine/wineserver32
fi

export SCRIVLET_WIN_ARCH WINE WINESERVER
