#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tallymarks.
set -eu
# clang and its sanitizer and libFuzzer runtimes build the native checks; python3 (with
# expat) and the XML files of iso-codes, shared-mime-info, fontconfig-config and polkitd
# feed the comparison with expat (scripts/native-checks.sh). imagemagick takes the picture
# of the screen when scripts/run.sh runs the program without a display. clang-format
# (version 14 on Debian 12) checks the layout of the sources (scripts/format-check.sh).
# wine32 (of the i386 architecture, the version of wine64) lets wine64 run the 32-bit
# program and its tests (WoW64).
packages="cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          mingw-w64-tools wine64 wine32:i386 googletest xvfb xauth imagemagick clang-format
          clang libclang-rt-14-dev python3 iso-codes shared-mime-info fontconfig-config polkitd"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    # Packages of another architecture come only from an architecture dpkg knows.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi
