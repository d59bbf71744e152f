# Sourced by the Wine scripts: the environment of every Wine process of a test run.
# $1: the prefix folder (inside the build folder).
export WINEPREFIX="$1"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Tests inject time zones and locales themselves; the host's must not leak in.
export TZ=UTC
export LANG=C.UTF-8
unset LC_ALL
# Only the tests that need a real display (under Xvfb) keep it.
[ "${TM_KEEP_DISPLAY:-0}" = 1 ] || unset DISPLAY
if command -v wine64 >/dev/null 2>&1; then
    TM_WINE=wine64
elif [ -x /usr/lib/wine/wine64 ]; then
    TM_WINE=/usr/lib/wine/wine64
else
    TM_WINE=wine
fi
if command -v wineserver >/dev/null 2>&1; then
    TM_WINESERVER=wineserver
else
    TM_WINESERVER=/usr/lib/wine/wineserver64
fi

# A test program that crashes must end with Wine's backtrace on its output, not wait for
# a person in Wine's crash dialog until its time limit. Set once per prefix.
tm_no_crash_dialog() {
    if [ ! -f "$WINEPREFIX/.tallymarks-no-crash-dialog" ]; then
        "$TM_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            </dev/null >/dev/null 2>&1 &&
            touch "$WINEPREFIX/.tallymarks-no-crash-dialog"
    fi
    return 0
}
