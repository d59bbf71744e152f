#!/usr/bin/env bash
# Builds Tallymarks, its tests and benchmarks for both architectures: build/i686 (the
# 32-bit deliverable) and build/x86_64. scripts/test.sh runs the tests of both under
# wine64, the 32-bit ones through WoW64 (wine32); scripts/run.sh starts the 64-bit program.
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
