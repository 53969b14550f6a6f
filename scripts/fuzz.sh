#!/usr/bin/env bash
# fuzz.sh NAME SECONDS [libFuzzer options...]: builds the harness fuzz/fuzz_NAME.cpp with clang,
# libFuzzer, ASan and UBSan in build/fuzz, and runs it for SECONDS from its seeds in
# fuzz/corpus/NAME, with the dictionary fuzz/NAME.dict when there is one. New inputs go to build/fuzz/corpus/NAME, crashes to build/fuzz/crashes/NAME:
# copy a crash into fuzz/crashes/NAME once it is fixed, so that the replay test keeps it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ $# -lt 2 ]; then
    echo "usage: $0 NAME SECONDS [libFuzzer options...]" >&2
    exit 2
fi
name="$1" seconds="$2"
shift 2
if [ ! -f "$TIVANE_ROOT/fuzz/fuzz_$name.cpp" ]; then
    echo "no harness fuzz/fuzz_$name.cpp" >&2
    exit 2
fi

tivane_install_packages "${TIVANE_BUILD_PACKAGES[@]}" "${TIVANE_FUZZ_PACKAGES[@]}"
build="$TIVANE_ROOT/build/fuzz"
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$TIVANE_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTIVANE_FUZZ=ON -DTIVANE_BUILD_TESTS=OFF -DTIVANE_BUILD_BENCH=OFF
fi
cmake --build "$build" --target "fuzz_$name"

corpus="$build/corpus/$name"
crashes="$build/crashes/$name"
mkdir -p "$corpus" "$crashes"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
options=(-max_total_time="$seconds" -artifact_prefix="$crashes/" -print_final_stats=1)
[ -f "$TIVANE_ROOT/fuzz/$name.dict" ] && options+=(-dict="$TIVANE_ROOT/fuzz/$name.dict")
# The first folder receives what the run finds; the committed seeds are only read.
exec "$build/fuzz/fuzz_$name" "$corpus" "$TIVANE_ROOT/fuzz/corpus/$name" "${options[@]}" "$@"
