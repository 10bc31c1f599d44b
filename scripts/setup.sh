#!/usr/bin/env bash
# Installs what the game (or the tests) need from Debian's packages, then
# configures and builds. Quick when everything is already in place.
#   scripts/setup.sh play   packages to build and play
#   scripts/setup.sh test   also those the tests use
#   scripts/setup.sh test-packages   only installs the tests' packages, builds nothing
#   scripts/setup.sh play-packages   only installs the packages to build and play
#   scripts/setup.sh package   also what building the Debian package needs
#   scripts/setup.sh web-packages   only installs what building and serving the web version need
#   scripts/setup.sh web-test-packages   only installs what the browser test adds to that
#   scripts/setup.sh debian-node-packages   only installs what Debian 12's own node needs
#       beside its two packages, to run it unpacked in a folder (scripts/debian_node.sh)
set -euo pipefail

purpose=${1:-play}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_BUILD_DIR:-$root/build}

# libpng-dev: the asset generator writes the menu icons with it (build time only).
# zlib1g-dev: share links are compressed with zlib (the game and zandrove-pack).
packages=(cmake make g++ pkg-config liballegro4-dev libpng-dev zlib1g-dev)
if [ "$purpose" = test ] || [ "$purpose" = test-packages ]; then
    packages+=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick time)
    # The sanitizer build and the fuzz targets (libFuzzer) use clang.
    packages+=(clang libclang-rt-14-dev)
    # The installed files' validators, and the Debian package: cpack's
    # dependency list needs dpkg-shlibdeps (dpkg-dev) and file; lintian checks it.
    packages+=(man-db desktop-file-utils appstream dpkg-dev file lintian)
fi

if [ "$purpose" = web-packages ]; then
    # The web build: Debian's emscripten compiles the game to WebAssembly
    # (it brings Debian's nodejs for its own tools); python3 serves the site.
    packages=(cmake make emscripten python3)
fi

if [ "$purpose" = web-test-packages ]; then
    # The browser test: Debian's chromium, headless, driven by Playwright
    # from npm. A machine whose node came with its own npm keeps both.
    packages=(chromium python3)
    command -v npm >/dev/null || packages+=(nodejs npm)
fi

if [ "$purpose" = debian-node-packages ]; then
    # Debian 12's node unpacked in a folder, on a machine whose nodejs is
    # another: the libraries libnode108 links, and the JavaScript it loads
    # from /usr/share/nodejs (the acorn parser, the CommonJS lexer, fetch).
    packages=(libbrotli1 libc-ares2 libicu72 libnghttp2-14 libssl3 libuv1 zlib1g
              node-acorn node-cjs-module-lexer node-undici)
fi

if [ "$purpose" = package ]; then
    # cpack's dependency list comes from dpkg-shlibdeps (dpkg-dev), which needs file.
    packages+=(dpkg-dev file)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Debian packages are missing and only root can install them here (no sudo): run this as root," \
                 "or as root run: apt-get install --no-install-recommends ${missing[*]} (or install sudo), then run this again" >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    # env: sudo does not pass the environment on.
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

case "$purpose" in *-packages) exit 0 ;; esac

if [ "$purpose" = test ]; then
    # The tests and benchmarks are required here, even in a build folder that
    # a play set-up configured before their packages were installed.
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANDROVE_TESTS=ON -DZANDROVE_BENCH=ON >/dev/null
    cmake --build "$build" -j"$(nproc)"
else
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$build" -j"$(nproc)" --target zandrove zandrove-pack zandrove-sim
fi
