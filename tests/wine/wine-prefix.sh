#!/usr/bin/env bash
# wine-prefix.sh setup|cleanup PREFIX
# setup: creates the prefix on first use (null graphics driver, no Mono or Gecko, no
#        crash dialog) and starts one persistent wineserver for the test run. A boot
#        that fails fails the setup and leaves no prefix, so that the next run retries.
# cleanup: stops that wineserver and every Wine process of the prefix.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
action=$1
. "$here/wine-env.sh" "$2"

case "$action" in
setup)
    tm_make_prefix 'Software\Wine\Drivers' Graphics null || exit 1
    tm_no_crash_dialog
    # Detached from our output, so that the test runner does not wait for it. A server
    # that already runs for the prefix (a repeated setup) refuses to start a second one,
    # which is as good.
    "$TM_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    ;;
cleanup)
    "$TM_WINESERVER" -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 setup|cleanup PREFIX" >&2
    exit 2
    ;;
esac
