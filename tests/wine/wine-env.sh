# Sourced by the Wine scripts: the environment of every Wine process of a test run.
# $1: the prefix folder (inside the build folder).
# TM_HEAP_CHECK=1: Wine checks the heap and fills every freed block, so that a use of freed
# memory crashes at once instead of passing by luck, and reports what it finds damaged.
export WINEPREFIX="$1"
if [ "${TM_HEAP_CHECK:-0}" = 1 ]; then
    export WINEDEBUG=-all,err+heap,warn+heap
else
    export WINEDEBUG=-all
fi
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

# Creates the prefix unless a former run completed it: wineboot, then (when given) the
# string value NAME=VALUE under the HKEY_CURRENT_USER key KEY. The prefix is marked ready
# (.tallymarks-ready) only when every step succeeded and it holds what a booted prefix has
# (its registry, with the value, and Windows' system folder). Otherwise it is removed, so
# that the next run boots it again rather than running every test in a broken prefix, and
# the function fails, saying why, with the end of Wine's output.
# For 32-bit programs (TM_PROGRAM_ARCH=i686) the prefix also needs the 32-bit system folder
# (syswow64), which only a boot with wine32 installed fills: a prefix without it is booted
# again.
# Arguments: [KEY NAME VALUE].
tm_make_prefix() {
    local system=drive_c/windows/system32
    [ "${TM_PROGRAM_ARCH:-x86_64}" != i686 ] || system=drive_c/windows/syswow64
    [ -f "$WINEPREFIX/.tallymarks-ready" ] && [ -s "$WINEPREFIX/$system/kernel32.dll" ] &&
        return 0
    local log problem="" rc
    log=$(mktemp)
    # A server still running for a prefix whose boot broke off would serve the new one.
    "$TM_WINESERVER" -k >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$TM_WINE" wineboot -i </dev/null >>"$log" 2>&1
    rc=$?
    [ $rc -eq 0 ] || problem="wineboot failed (exit code $rc)"
    if [ -z "$problem" ] && [ $# -eq 3 ]; then
        "$TM_WINE" reg add "HKCU\\$1" /v "$2" /d "$3" /f </dev/null >>"$log" 2>&1
        rc=$?
        [ $rc -eq 0 ] || problem="setting $1\\$2 failed (exit code $rc)"
    fi
    # The registry reaches its files when the server ends.
    "$TM_WINESERVER" -w >>"$log" 2>&1
    rc=$?
    [ -n "$problem" ] || [ $rc -eq 0 ] || problem="wineserver ended with exit code $rc"
    local file
    for file in system.reg user.reg userdef.reg drive_c/windows/system32/kernel32.dll \
        "$system/kernel32.dll"; do
        [ -n "$problem" ] || [ -s "$WINEPREFIX/$file" ] || problem="the boot made no $file"
    done
    if [ -z "$problem" ] &&
        ! grep -qF '[Software\\Microsoft\\Windows NT\\CurrentVersion]' "$WINEPREFIX/system.reg"; then
        problem="the registry lacks Windows' version key"
    fi
    if [ -z "$problem" ] && [ $# -eq 3 ] &&
        ! { grep -qF "[${1//\\/\\\\}]" "$WINEPREFIX/user.reg" &&
            grep -qxF "\"$2\"=\"$3\"" "$WINEPREFIX/user.reg"; }; then
        problem="the registry lacks $1\\$2=$3"
    fi
    if [ -n "$problem" ]; then
        "$TM_WINESERVER" -k >/dev/null 2>&1
        rm -rf "$WINEPREFIX"
        {
            echo "The Wine prefix $WINEPREFIX could not be created: $problem."
            echo "It was removed; the next run boots it again. The end of Wine's output:"
            [ -s "$log" ] && tail -n 20 "$log" || echo "(none)"
        } >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
    touch "$WINEPREFIX/.tallymarks-ready"
    echo "Wine prefix created in $WINEPREFIX"
}
