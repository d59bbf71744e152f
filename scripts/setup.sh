#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tallymarks.
set -eu
packages="cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          mingw-w64-tools wine64 googletest xvfb xauth"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi
