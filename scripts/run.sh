#!/usr/bin/env bash
# Builds Tivane if needed and starts it; the arguments go to Tivane (tivane [DOSSIER]).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tivane_install_packages "${TIVANE_BUILD_PACKAGES[@]}"
build="$TIVANE_ROOT/build/release"
tivane_build "$build" -DCMAKE_BUILD_TYPE=Release -DTIVANE_BUILD_TESTS=OFF -DTIVANE_BUILD_BENCH=OFF
exec "$build/tivane" "$@"
