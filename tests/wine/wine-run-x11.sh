#!/usr/bin/env bash
# wine-run-x11.sh PREFIX PROGRAM [ARGS...]: runs one test program under Wine with the
# normal graphics driver on the display that xvfb-run provides (the notification area
# needs one), in a prefix of its own that is created on first use. Every Wine process
# of that prefix ends with the run, so none outlives the X server.
set -u
here=$(cd "$(dirname "$0")" && pwd)
TM_KEEP_DISPLAY=1
. "$here/wine-env.sh" "$1"
shift
tm_make_prefix || exit 1
tm_no_crash_dialog
log=$(mktemp)
trap 'rm -f "$log"' EXIT
timeout --kill-after=10 "${TM_TEST_TIMEOUT:-540}" "$TM_WINE" "$@" </dev/null >"$log" 2>&1
rc=$?
"$TM_WINESERVER" -k 2>/dev/null
cat "$log"
# A test program that dies without reporting has not passed.
if [ $rc -eq 0 ] && ! grep -q '^\[  PASSED  \]' "$log"; then
    echo "wine-run-x11: $1 ended without its test summary"
    rc=1
fi
# Here the notification area exists: a test that skips for want of it has found a fault.
if [ $rc -eq 0 ] && grep -q '^\[  SKIPPED \]' "$log"; then
    echo "wine-run-x11: $1 skipped tests that must run on this display"
    rc=1
fi
[ $rc -ne 124 ] || echo "wine-run-x11: $1 was stopped after ${TM_TEST_TIMEOUT:-540} s"
exit $rc
