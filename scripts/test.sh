#!/usr/bin/env bash
# Installs what is missing, builds both architectures and runs every test under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$root/build/x86_64"
ctest --output-on-failure -j "$(nproc)"
