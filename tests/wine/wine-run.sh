#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM [ARGS...]: runs one Windows test program under Wine in
# the test prefix, guarded by a time limit so that no test can hang the run.
# The program's output goes through a file: Wine's helper processes inherit the
# descriptors of the first program and would otherwise keep the runner waiting.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
timeout --kill-after=10 "${TM_TEST_TIMEOUT:-540}" "$TM_WINE" "$@" </dev/null >"$log" 2>&1
rc=$?
cat "$log"
# A test program that dies without reporting (a stack overflow under Wine can end
# with exit code 0) has not passed: GoogleTest's summary line must be there.
case " $* " in
*" --gtest_"*)
    if [ $rc -eq 0 ] && ! grep -q '^\[  PASSED  \]' "$log"; then
        echo "wine-run: $1 ended without its test summary"
        rc=1
    fi
    ;;
esac
[ $rc -ne 124 ] || echo "wine-run: $1 was stopped after ${TM_TEST_TIMEOUT:-540} s"
exit $rc
