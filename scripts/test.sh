#!/usr/bin/env bash
# Installs what is missing, checks that the sources are formatted as .clang-format asks,
# builds both architectures and runs every test under Wine, then the native sanitizer,
# fuzzing and expat checks of the portable modules. A file that is not formatted fails the
# run, once the tests have run too.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
status=0
"$root/scripts/format-check.sh" || status=1
"$root/scripts/build.sh"
# Every test program runs once, in parallel with the others except those that share a
# lock of the one Wine desktop (see tests/CMakeLists.txt); a failure is a failure.
(cd "$root/build/x86_64" && ctest --output-on-failure -j "$(nproc)") || status=1
"$root/scripts/native-checks.sh" || status=1
exit "$status"
