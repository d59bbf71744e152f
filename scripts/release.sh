#!/usr/bin/env bash
# Builds both architectures and packs a release zip for each, ready to unpack and run on
# Windows: build/release/Tallymarks-i686.zip (32-bit Windows, the deliverable) and
# build/release/Tallymarks-x86_64.zip. Each holds one folder "Tallymarks" with the
# program, the Dutch language module, the report templates, InstallSettings.ini and a
# read-me. Fails when a shipped program needs a DLL that Windows does not have.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
out="$root/build/release"
rm -rf "$out"
mkdir -p "$out"
for arch in i686 x86_64; do
    build="$root/build/$arch"
    stage="$out/$arch/Tallymarks"
    mkdir -p "$stage"
    for file in Tallymarks.exe Tallymarks_NL.dll InstallSettings.ini "Report templates"; do
        if [ ! -e "$build/$file" ]; then
            echo "release: the $arch build made no $file" >&2
            exit 1
        fi
        cp -R "$build/$file" "$stage/"
    done
    # The build keeps debugging information for the tests; a user needs none of it.
    "$arch-w64-mingw32-strip" "$stage/Tallymarks.exe" "$stage/Tallymarks_NL.dll"
    # Windows line ends for the read-me of a Windows program.
    sed 's/$/\r/' "$root/resources/install/ReadMe.txt" >"$stage/ReadMe.txt"
    "$root/scripts/check-imports.sh" "$arch" "$stage/Tallymarks.exe" "$stage/Tallymarks_NL.dll"
    (cd "$out/$arch" && python3 -m zipfile -c "$out/Tallymarks-$arch.zip" Tallymarks)
    echo "release: $out/Tallymarks-$arch.zip"
done
