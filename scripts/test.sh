#!/usr/bin/env bash
# Installs what is missing, checks that the sources are formatted as .clang-format asks,
# builds both architectures and runs every test program of both builds under Wine, then
# the native sanitizer, fuzzing and expat checks of the portable modules. A file that is
# not formatted fails the run, once the tests have run too.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
status=0
"$root/scripts/format-check.sh" || status=1
"$root/scripts/build.sh"

# The 32-bit tests run wherever the kernel runs 32-bit programs: it refuses the 32-bit Wine
# loader (exit code 126) where it cannot. Any other failure of the loader is a fault of the
# installation, which the tests then show.
arches="x86_64 i686"
/usr/lib/wine/wine --version >/dev/null 2>&1 && loader=0 || loader=$?
if [ "$loader" -eq 126 ]; then
    echo "This machine cannot run 32-bit programs: only the tests of the 64-bit build run."
    arches="x86_64"
fi

# Every test program runs once, in parallel with the others except those that share a
# lock of the one Wine desktop (see tests/CMakeLists.txt); a failure is a failure. The
# builds run at the same time: each has its Wine prefix and server, so they share no
# desktop, and most of a run waits for the programs that take turns. Each build's output
# is shown once it has finished.
pids=()
for arch in $arches; do
    (cd "$root/build/$arch" && ctest --output-on-failure -j "$(nproc)") \
        >"$root/build/$arch/tests.log" 2>&1 &
    pids+=($!)
done
i=0
for arch in $arches; do
    rc=0
    wait "${pids[$i]}" || rc=$?
    i=$((i + 1))
    echo "== tests of the $arch build"
    cat "$root/build/$arch/tests.log"
    [ "$rc" -eq 0 ] || status=1
done
"$root/scripts/native-checks.sh" || status=1
exit "$status"
