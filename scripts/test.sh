#!/usr/bin/env bash
# Installs what is missing, builds both architectures and runs every test under Wine,
# then the native sanitizer, fuzzing and expat checks of the portable modules.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
status=0
# A test program that fails is run once more before it counts as failed: dialogs driven
# under Wine while every core is busy can, rarely, miss their activation. A fault fails
# both runs.
(cd "$root/build/x86_64" && ctest --output-on-failure -j "$(nproc)" --repeat until-pass:2) ||
    status=1
"$root/scripts/native-checks.sh" || status=1
exit "$status"
