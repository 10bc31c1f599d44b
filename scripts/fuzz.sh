#!/usr/bin/env bash
# Runs the fuzz targets (libFuzzer with ASan and UBSan), one after another,
# each for SECONDS, building them first in the sanitizer build directory (see
# sanitize.sh).
#   scripts/fuzz.sh [SECONDS] [TARGET...]    default 30 seconds, every target
# The targets, by name (tests/fuzz/CMakeLists.txt says more):
#   pack-read  a pack read by the game and the pack tool, built, checked; no frames
#   text       a level text parsed, checked, printed and parsed again
#   play       a pack's levels played 600 frames each, undrawn
#   pack       the same play, every frame drawn (slow: 10 to 20 inputs a second)
# Each starts from its committed corpus (tests/fuzz/corpus/NAME; the drawn one
# shares play's) and the seeds the build made from the built-in levels, and
# writes what it finds to ZANDROVE_FUZZ_CORPUS/NAME (default: a temporary
# directory, removed afterwards); the committed corpus is only read. A
# crashing input is written to BUILD/fuzz/artifacts/NAME-crash-... and fails
# the run, after the other targets had their turn. Extra libFuzzer options can
# be given in ZANDROVE_FUZZ_ARGS, e.g. ZANDROVE_FUZZ_ARGS="-jobs=1" to run in
# a child process with a log file.
set -euo pipefail

seconds=${1:-30}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_SANITIZE_BUILD_DIR:-$root/build-sanitize}
fuzz=$root/tests/fuzz

all=(pack-read text play pack)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

# Per target: its committed corpus, its seeds, its dictionary, the largest
# input and the time one input may take. The sizes keep an input cheap while
# leaving room for what it tests: a pack of 2,560 bytes holds a level of 63
# records (33 hamsters are 2,096 bytes), a play input of 4 KiB four small
# levels or one of 160 records, a level text of 512 bytes any one built-in
# level or some 20 lines.
declare -A corpus=([pack-read]=pack-read [text]=text [play]=play [pack]=play)
declare -A seeds=([pack-read]=pack [text]=text [play]=pack [pack]=pack)
declare -A dict=([pack-read]=pack.dict [text]=text.dict [play]=pack.dict [pack]=pack.dict)
declare -A max_len=([pack-read]=2560 [text]=512 [play]=4096 [pack]=8192)
declare -A timeout=([pack-read]=10 [text]=10 [play]=30 [pack]=30)
for t in "${targets[@]}"; do
    if [ -z "${corpus[$t]+set}" ]; then
        echo "fuzz.sh: no target '$t' (the targets: ${all[*]})" >&2
        exit 2
    fi
done

"$root/scripts/sanitize.sh" build
source "$root/scripts/sanitizer_env.sh"
# No allocation stacks while fuzzing: recording one for every allocation was
# a fifth of the pack-read target's time. A finding's report still shows
# where it went wrong; replay the kept input to see where the memory came from.
export ASAN_OPTIONS="$ASAN_OPTIONS:malloc_context_size=0"

found=${ZANDROVE_FUZZ_CORPUS:-}
if [ -z "$found" ]; then
    found=$(mktemp -d)
    trap 'rm -rf "$found"' EXIT
fi
mkdir -p "$build/fuzz/artifacts"

failed=()
for t in "${targets[@]}"; do
    echo "=== zandrove-fuzz-$t for $seconds s"
    mkdir -p "$found/$t"
    # No single allocation of 32 MiB or more: inputs of a few kilobytes need
    # far less, and one that asks for that much is a finding of its own.
    # shellcheck disable=SC2086
    if ! "$build/bin/zandrove-fuzz-$t" \
        -dict="$fuzz/${dict[$t]}" \
        -max_len="${max_len[$t]}" -timeout="${timeout[$t]}" -rss_limit_mb=2048 -malloc_limit_mb=32 \
        -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/artifacts/$t-" \
        ${ZANDROVE_FUZZ_ARGS:-} \
        "$found/$t" "$fuzz/corpus/${corpus[$t]}" "$build/fuzz/seeds/${seeds[$t]}"; then
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in: ${failed[*]} (inputs in $build/fuzz/artifacts/)" >&2
    exit 1
fi
