#!/usr/bin/env bash
# The soak: the real frame loop over all ten levels with seeded random input,
# checking the particle ring and the world every frame and the heap after
# every level (tests/soak/soak_main.cpp).
#   scripts/soak.sh [FRAMES]    default ZANDROVE_SOAK_FRAMES, else 200000
# The FRAMES are played twice: undrawn (the simulation and the frame loop
# alone, no Allegro, no assets), then with every frame drawn.
# It runs in the sanitizer build (see sanitize.sh), so AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer watch every frame. To soak a
# normal build instead (heap measured by glibc's malloc), name it in
# ZANDROVE_SOAK_BUILD_DIR. ZANDROVE_SOAK_SEED changes the random player.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-${ZANDROVE_SOAK_FRAMES:-200000}}
seed=${ZANDROVE_SOAK_SEED:-1}
build=${ZANDROVE_SOAK_BUILD_DIR:-}
if [ -z "$build" ]; then
    build=${ZANDROVE_SANITIZE_BUILD_DIR:-$root/build-sanitize}
    "$root/scripts/sanitize.sh" build
else
    cmake --build "$build" -j"$(nproc)" --target zandrove-soak
fi
source "$root/scripts/sanitizer_env.sh"
"$build/bin/zandrove-soak" "$frames" "$seed"
"$build/bin/zandrove-soak" --draw "$frames" "$seed"
