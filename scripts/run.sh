#!/usr/bin/env bash
# Installs what is missing, builds both architectures and starts the program under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
exe="$root/build/x86_64/Tallymarks.exe"
if [ ! -f "$exe" ]; then
    echo "Everything is built, but the program itself (Tallymarks.exe) is not yet built."
    exit 0
fi
export WINEDEBUG=-all
exec wine "$exe" "$@"
