#!/usr/bin/env bash
# JOUER on a 1024 x 768 screen with a store of two puzzles: the chooser opens, a click on the
# first thumbnail deals its 2 x 2 puzzle: green board, silver grid lines, the pieces in the tray.
set -euo pipefail
source "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)

start_tivane_in() { STORE="$1"; (cd "$STORE" && exec env -u QT_QPA_PLATFORM "$2") & TIVANE_PID=$!; }
store=$(mktemp -d)
mapfile -t colours < <("$TIVANE_TEST_STORE" "$store")
start_tivane_in "$store" "$1"
trap 'kill $TIVANE_PID 2>/dev/null || true; rm -rf "$store" "$work"' EXIT

wait_for_pixel "$work/shot.png" 412 320 ffffff 60
xdotool mousemove 145 16 click 1

# The chooser, centred: its first thumbnail at (174, 186), 100 x 100, cell 0 at its top left.
wait_for_pixel "$work/shot.png" 180 192 "${colours[0]}" 20
echo "ok: the chooser shows the first thumbnail"
xdotool mousemove 195 205 click 1

# Board: left 522, top 244 on screen, side 419, cells of 209. Tray: left 83, slots 211 apart.
slot_colour() { pixel "$work/shot.png" "$1" "$2"; }
deadline=$((SECONDS + 20))
while :; do
    shot "$work/shot.png"
    [ "$(slot_colour 400 560)" != 008000 ] && break
    [ $SECONDS -lt $deadline ] || fail "the deal never reached the last tray slot"
    sleep 0.2
done
echo "ok: the deal reached the last slot"

expect_pixel "$work/shot.png" 522 300 c0c0c0 "board's left grid line"
expect_pixel "$work/shot.png" 731 300 c0c0c0 "middle vertical grid line"
expect_pixel "$work/shot.png" 940 600 c0c0c0 "right grid line"
expect_pixel "$work/shot.png" 600 244 c0c0c0 "top grid line"
expect_pixel "$work/shot.png" 600 453 c0c0c0 "middle horizontal grid line"
expect_pixel "$work/shot.png" 600 662 c0c0c0 "bottom grid line"
expect_pixel "$work/shot.png" 620 350 008000 "empty cell"
expect_pixel "$work/shot.png" 600 720 008000 "board below the grid"
expect_pixel "$work/shot.png" 1000 300 008000 "board right of the grid"

seen=""
for spot in "187 348" "398 348" "187 559" "398 559"; do
    c=$(slot_colour $spot)
    case " ${colours[*]:0:4} " in *" $c "*) ;; *) fail "tray slot ($spot) shows $c, not a piece";; esac
    case "$seen" in *"$c"*) fail "two tray slots show $c";; esac
    seen="$seen $c"
done
echo "ok: the four pieces lie in the tray:$seen"
expect_pixel "$work/shot.png" 83 243 008000 "above the tray"
