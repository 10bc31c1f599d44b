#!/usr/bin/env bash
# Runs the level pack fuzzer (libFuzzer with ASan and UBSan) for a while,
# building it first in the sanitizer build directory (see sanitize.sh).
#   scripts/fuzz.sh [SECONDS]      default 60
# It starts from the seed corpus the build made from the built-in levels and
# keeps what it finds in ZANDROVE_FUZZ_CORPUS (default: a temporary directory,
# removed afterwards). A crashing input is written to BUILD/fuzz/artifacts/
# and fails the run. Extra libFuzzer options can be given in ZANDROVE_FUZZ_ARGS,
# e.g. ZANDROVE_FUZZ_ARGS="-jobs=1" to run in a child process with a log file.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZANDROVE_SANITIZE_BUILD_DIR:-$root/build-sanitize}
"$root/scripts/sanitize.sh" build
source "$root/scripts/sanitizer_env.sh"

corpus=${ZANDROVE_FUZZ_CORPUS:-}
if [ -z "$corpus" ]; then
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' EXIT
fi
mkdir -p "$corpus" "$build/fuzz/artifacts"

# Inputs up to 8 KiB hold about 500 records: enough for any level a person
# makes, small enough that an input costs well under a second.
# shellcheck disable=SC2086
"$build/bin/zandrove-fuzz-pack" \
    -dict="$root/tests/fuzz/pack.dict" \
    -max_len=8192 -timeout=30 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/artifacts/" \
    ${ZANDROVE_FUZZ_ARGS:-} \
    "$corpus" "$build/fuzz/seeds"
