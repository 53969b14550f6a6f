#!/usr/bin/env bash
# JOUER on a 1024 x 768 screen with a store of two puzzles: the chooser opens, a click on the
# first thumbnail deals its 2 x 2 puzzle: green board, silver grid lines, the pieces in the tray.
source "$(dirname "$0")/window_lib.sh"

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_welcome
open_first_puzzle
echo "ok: the chooser opened and the deal filled the tray"

# Board: left 522, top 244 on screen, side 419, cells of 209. Tray: left 83, slots 211 apart.
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
for spot in "${TRAY_SLOTS[@]}"; do
    c=$(pixel "$work/shot.png" $spot)
    case " ${COLOURS[*]:0:4} " in *" $c "*) ;; *) fail "tray slot ($spot) shows $c, not a piece";; esac
    case "$seen" in *"$c"*) fail "two tray slots show $c";; esac
    seen="$seen $c"
done
echo "ok: the four pieces lie in the tray:$seen"
expect_pixel "$work/shot.png" 83 243 008000 "above the tray"
