#!/usr/bin/env bash
# Start-up to the first frame, side by side under Xvfb: a bare full-screen Qt Widgets window
# (bench/bare_window), Tivane on a new store (seeded at its start) and Tivane on a store of
# starter puzzles, started in turn N times each. Each program prints, when TIVANE_REPORT_FIRST_FRAME
# is set, the wall-clock time of its first painted frame and the processor time it used until
# then. The time counted runs from just before the process is started. Prints each one's medians
# and their ratios to the bare window's: the wall-clock time is the goal, the processor time
# shows the work done and varies less on a busy machine.
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

# time_one NAME PROGRAM [ARGS...]: appends the milliseconds from the start to the first frame to
# NAME.wall, the processor milliseconds to NAME.cpu.
time_one() {
    local name="$work/$1"; shift
    local log="$work/log" start deadline
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
    # Both clocks are the wall clock in microseconds.
    awk -v s="${start/[.,]/}" '/^first-frame /{ printf "%.1f\n", ($2 - s) / 1000 >> "'"$name.wall"'";
                                               printf "%.1f\n", $3 / 1000 >> "'"$name.cpu"'"; exit }' "$log"
}

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A store of starter puzzles, seeded by one untimed start (which also warms the caches).
starter="$work/starter"
time_one warm "$build/tivane" "$starter"
time_one warm "$build/bench/bare_window"

for ((i = 0; i < runs; ++i)); do
    time_one bare "$build/bench/bare_window"
    time_one fresh "$build/tivane" "$work/fresh$i"
    time_one seeded "$build/tivane" "$starter"
done

echo "first frame, medians of $runs starts each, in ms (wall clock from the process start; processor time):"
printf '  %-34s %8s %7s %8s %7s\n' "" wall ratio cpu ratio
for what in "bare:bare Qt window" "fresh:Tivane, new store (seeded)" "seeded:Tivane, store of starter puzzles"; do
    key="${what%%:*}"
    wall=$(median "$work/$key.wall"); cpu=$(median "$work/$key.cpu")
    bare_wall=$(median "$work/bare.wall"); bare_cpu=$(median "$work/bare.cpu")
    printf '  %-34s %8.1f %7.2f %8.1f %7.2f\n' "${what#*:}" "$wall" "$(awk -v a="$wall" -v b="$bare_wall" 'BEGIN { print a / b }')" \
        "$cpu" "$(awk -v a="$cpu" -v b="$bare_cpu" 'BEGIN { print a / b }')"
done
