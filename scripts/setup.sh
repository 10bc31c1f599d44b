#!/usr/bin/env bash
# Installs what the game (or the tests) need from Debian's packages, then
# configures and builds. Quick when everything is already in place.
#   scripts/setup.sh play   packages to build and play
#   scripts/setup.sh test   also those the tests use
#   scripts/setup.sh test-packages   only installs the tests' packages, builds nothing
set -euo pipefail

purpose=${1:-play}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}

packages=(cmake make g++ pkg-config liballegro4-dev)
if [ "$purpose" = test ] || [ "$purpose" = test-packages ]; then
    packages+=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick time)
    # The sanitizer build and the level pack fuzzer (libFuzzer) use clang.
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

[ "$purpose" = test-packages ] && exit 0

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j"$(nproc)"
