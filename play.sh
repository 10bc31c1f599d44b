#!/usr/bin/env bash
# Sets up and starts the game. Any arguments go to the game (a level pack file).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" play
exec "${ZANDROVE_BUILD_DIR:-$root/build}/bin/zandrove" "$@"
