#!/usr/bin/env bash
# Install what is missing, build with -Werror, run every test; then again under ASan and UBSan.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tivane_install_packages "${TIVANE_BUILD_PACKAGES[@]}" "${TIVANE_TEST_PACKAGES[@]}"
jobs="$(nproc)"

build="$TIVANE_ROOT/build/test"
tivane_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIVANE_WERROR=ON
ctest --test-dir "$build" --output-on-failure -j "$jobs"

asan="$TIVANE_ROOT/build/asan"
tivane_build "$asan" -DCMAKE_BUILD_TYPE=Debug -DTIVANE_WERROR=ON -DTIVANE_SANITIZE=ON -DTIVANE_BUILD_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$asan" --output-on-failure -j "$jobs"
