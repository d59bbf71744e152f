#!/usr/bin/env bash
# Builds Tallymarks for both architectures: build/x86_64 (runs the tests under
# wine64) and build/i686 (the 32-bit deliverable, compiled and linked).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
for arch in x86_64 i686; do
    dir="$root/build/$arch"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" >/dev/null
    fi
    echo "== building $arch"
    cmake --build "$dir"
done
