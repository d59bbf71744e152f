#!/usr/bin/env bash
# Installs what is missing, builds both architectures and starts the program
# (build/x86_64/Tallymarks.exe) under wine64, in a Wine prefix of its own outside the
# build folders, so that settings survive a clean rebuild:
#   ${XDG_DATA_HOME:-$HOME/.local/share}/tallymarks/wineprefix
# The arguments go to the program: a project file to open (handed to the instance that
# already runs, if one does).
# With a display ($DISPLAY) the window opens there and the script ends with the program.
# Without one the program runs on a virtual display (Xvfb). What it shows before its main
# window is answered as a person would and named: OK to a message box that only tells
# something (a project of the last run that has gone); any other window that holds it
# then is named by its text, and the program's Wine processes are ended. Once its main
# window is up, a picture of the screen is written to
# build/tallymarks-screen-<display>.png, the dialogs over it (the tip of the day) are
# closed, the window is switched to its other display (full or compact) and pictured
# again, switched back, and the program is closed as a person would close it who wants
# the project files left as they are: its closing questions are answered so that running
# work keeps running (it is not stopped) and nothing is saved. A window that keeps the
# program open for any other reason is named by its text, and the program's Wine
# processes are ended.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

exe="$root/build/x86_64/Tallymarks.exe"
control="$root/build/x86_64/tools/tm_window_control.exe"
screenshots="$root/build/tallymarks-screen"
main_class=TallymarksMain
if [ ! -f "$exe" ]; then
    echo "run.sh: the build made no program ($exe)" >&2
    exit 1
fi

# Debian's wine64 package puts its loader in /usr/lib/wine, not on the PATH.
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver64
if [ ! -x "$wine" ]; then
    echo "run.sh: wine64 is missing (scripts/setup.sh installs it)" >&2
    exit 1
fi

export WINEPREFIX="${XDG_DATA_HOME:-$HOME/.local/share}/tallymarks/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/.tallymarks-ready" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # No display and no Mono or Gecko: nothing asks to download anything. The prefix is
    # marked ready only when the boot succeeded and left Windows' registry and system
    # folder; otherwise it is removed, so that the next run boots it again.
    booted=1
    env -u DISPLAY WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i </dev/null >/dev/null 2>&1 ||
        booted=0
    "$wineserver" -w || booted=0
    for file in system.reg user.reg drive_c/windows/system32/kernel32.dll; do
        [ -s "$WINEPREFIX/$file" ] || booted=0
    done
    if [ "$booted" != 1 ]; then
        "$wineserver" -k >/dev/null 2>&1
        rm -rf "$WINEPREFIX"
        echo "run.sh: the Wine prefix could not be created; it was removed, run again" >&2
        exit 1
    fi
    touch "$WINEPREFIX/.tallymarks-ready"
fi

# Files named on the command line are handed over with their Windows names. winepath
# starts Wine, which stays a moment for the program to join: it runs on the display that
# the program is to use, so on the virtual one when there is no display.
if [ -n "${DISPLAY:-}" ]; then
    args=()
    for arg in "$@"; do
        if [ -e "$arg" ]; then
            arg=$("$wine" winepath -w "$arg" 2>/dev/null | tr -d '\r')
        fi
        args+=("$arg")
    done
    exec "$wine" "$exe" "${args[@]}"
fi

# Without a display: run on Xvfb, take the picture, close the program.
export TM_WINE="$wine" TM_WINESERVER="$wineserver" TM_EXE="$exe" TM_CONTROL="$control"
export TM_SCREENSHOTS="$screenshots" TM_MAIN_CLASS="$main_class"
rm -f "$screenshots"-*.png
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    args=()
    for arg in "$@"; do
        if [ -e "$arg" ]; then
            arg=$("$TM_WINE" winepath -w "$arg" 2>/dev/null </dev/null | tr -d "\r")
        fi
        args+=("$arg")
    done
    "$TM_WINE" "$TM_EXE" "${args[@]}" </dev/null &
    program=$!
    # What the program shows before its main window (a project of the last run that has
    # gone) is answered as a person would, and named.
    waited=0
    "$TM_WINE" "$TM_CONTROL" wait "$TM_MAIN_CLASS" 120 "${TM_EXE##*/}" </dev/null || waited=$?
    if [ "$waited" != 0 ]; then
        if [ "$waited" = 1 ]; then
            echo "run.sh: the main window did not show within two minutes" >&2
        else
            echo "run.sh: the main window did not show; its Wine processes were ended" >&2
        fi
        "$TM_WINESERVER" -k 2>/dev/null
        wait "$program"
        exit 1
    fi
    # The display the program started in, then the other one, each pictured once it has
    # painted itself; the first one is shown again before the program is closed.
    shown=$("$TM_WINE" "$TM_CONTROL" display "$TM_MAIN_CLASS" 5 </dev/null | tr -d "\r") || shown=
    [ -n "$shown" ] || shown=main
    sleep 1
    import -window root "$TM_SCREENSHOTS-$shown.png"
    echo "The program is running: a picture of its $shown window is in $TM_SCREENSHOTS-$shown.png"
    # What the program shows over its window at start-up (the tip of the day) is closed
    # first, as a person would, so that the window takes the display switch.
    "$TM_WINE" "$TM_CONTROL" dismiss "$TM_MAIN_CLASS" 30 </dev/null ||
        echo "run.sh: a dialog over the main window did not close" >&2
    other=$("$TM_WINE" "$TM_CONTROL" switch "$TM_MAIN_CLASS" 60 </dev/null | tr -d "\r") || other=
    if [ -n "$other" ]; then
        sleep 1
        import -window root "$TM_SCREENSHOTS-$other.png"
        echo "A picture of its $other window is in $TM_SCREENSHOTS-$other.png"
        "$TM_WINE" "$TM_CONTROL" switch "$TM_MAIN_CLASS" 60 </dev/null >/dev/null ||
            echo "run.sh: the program did not switch back to its $shown window" >&2
    else
        echo "run.sh: the program did not switch to its other display" >&2
    fi
    if ! "$TM_WINE" "$TM_CONTROL" close "$TM_MAIN_CLASS" 60 </dev/null; then
        echo "run.sh: the program did not close when asked; its Wine processes were ended" >&2
        "$TM_WINESERVER" -k 2>/dev/null
        exit 1
    fi
    wait "$program"
    status=$?
    "$TM_WINESERVER" -w # the helper processes of Wine end before the display does
    echo "The program was closed (exit code $status)."
    exit "$status"
' run "$@"
