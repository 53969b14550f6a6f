#!/usr/bin/env bash
# Start Tivane with its puzzle store in STORE (default: $HOME/Tivane).
# Usage: scripts/run.sh [STORE]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

store="${1:-$HOME/Tivane}"
tivane_install_packages "${TIVANE_BUILD_PACKAGES[@]}"
build="$TIVANE_ROOT/build/release"
tivane_build "$build" -DCMAKE_BUILD_TYPE=Release -DTIVANE_BUILD_TESTS=OFF -DTIVANE_BUILD_BENCH=OFF

mkdir -p "$store"
cd "$store"
# A new, empty store gets the starter puzzles; a store that holds puzzles is left alone.
"$build/tivane_starter" .
exec "$build/tivane"
