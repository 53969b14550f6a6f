#!/usr/bin/env bash
# Start-up to the first frame, side by side under Xvfb: a bare full-screen Qt Widgets window
# (bench/bare_window), Tivane on a new store (seeded at its start) and Tivane on a store of
# starter puzzles, started in turn N times each. Each program prints the wall-clock time of its
# first painted frame (TIVANE_REPORT_FIRST_FRAME); the time counted runs from just before the
# process is started. Prints each one's median and their ratios to the bare window's.
#
#   bench/startup.sh BUILD_DIR [N]      (N: 15 by default)
#
# BUILD_DIR holds tivane and bench/bare_window (a build with the benchmarks). The screen is
# 1024 x 768 unless TIVANE_BENCH_SCREEN says otherwise (e.g. 1920x1080).
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1/tivane" ] || [ ! -x "$1/bench/bare_window" ]; then
    echo "usage: $0 BUILD_DIR [N]  (BUILD_DIR with tivane and bench/bare_window)" >&2
    exit 2
fi
if [ -z "${TIVANE_BENCH_UNDER_XVFB:-}" ]; then
    screen="${TIVANE_BENCH_SCREEN:-1024x768}"
    exec env TIVANE_BENCH_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" "$0" "$@"
fi

build="$(cd "$1" && pwd)"
runs="${2:-15}"
work="$(mktemp -d)"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# time_one OUT PROGRAM [ARGS...]: milliseconds from the start to the first frame, on OUT.
time_one() {
    local out="$1"; shift
    local log="$work/log" start frame deadline
    : > "$log"
    start=$EPOCHREALTIME
    env -u QT_QPA_PLATFORM TIVANE_REPORT_FIRST_FRAME=1 "$@" > "$log" 2>/dev/null &
    pid=$!
    deadline=$((SECONDS + 30))
    until grep -q '^first-frame ' "$log"; do
        if ! kill -0 "$pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "startup.sh: $1 showed no first frame" >&2
            exit 1
        fi
        sleep 0.02
    done
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
    frame=$(awk '/^first-frame /{print $2; exit}' "$log")
    # Both clocks are the wall clock in microseconds.
    awk -v s="${start/[.,]/}" -v f="$frame" 'BEGIN { printf "%.1f\n", (f - s) / 1000 }' >> "$out"
}

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A store of starter puzzles, seeded by one untimed start (which also warms the caches).
starter="$work/starter"
time_one "$work/warm" "$build/tivane" "$starter"
time_one "$work/warm" "$build/bench/bare_window"

for ((i = 0; i < runs; ++i)); do
    time_one "$work/bare" "$build/bench/bare_window"
    time_one "$work/fresh" "$build/tivane" "$work/fresh$i"
    time_one "$work/starter_runs" "$build/tivane" "$starter"
done

bare=$(median "$work/bare")
fresh=$(median "$work/fresh")
seeded=$(median "$work/starter_runs")
echo "first frame, median of $runs starts each (ms from the process start):"
printf '  %-34s %8.1f\n' "bare Qt window" "$bare"
printf '  %-34s %8.1f   ratio %.2f\n' "Tivane, new store (seeded)" "$fresh" "$(awk -v a="$fresh" -v b="$bare" 'BEGIN{print a/b}')"
printf '  %-34s %8.1f   ratio %.2f\n' "Tivane, store of starter puzzles" "$seeded" "$(awk -v a="$seeded" -v b="$bare" 'BEGIN{print a/b}')"
