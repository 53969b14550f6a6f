#!/usr/bin/env bash
# JOUER pressed while the welcome animation is still playing, a puzzle chosen: the board shows
# the dealt game, and nothing of the welcome picture comes back over it.
source "$(dirname "$0")/window_lib.sh"

make_test_store
start_tivane "$1" "$TEST_STORE"
# As soon as the top bar is up, JOUER: the welcome animation has barely begun.
wait_for_pixel "$work/shot.png" $TOP_BAR c0c0c0 60
xdotool mousemove $JOUER_BUTTON click 1
open_first_puzzle
echo "ok: the chooser opened and the deal filled the tray"

# Longer than a whole welcome animation.
sleep 1.5
shot "$work/shot.png"
# Between the tray and the board (where the welcome logo would be), the green ground.
expect_pixel "$work/shot.png" 512 400 008000 "ground between the tray and the board"
expect_pixel "$work/shot.png" 512 600 008000 "ground between the tray and the board, lower"
expect_pixel "$work/shot.png" 522 300 c0c0c0 "board's left grid line"
expect_pixel "$work/shot.png" 731 300 c0c0c0 "middle vertical grid line"
for spot in "${TRAY_SLOTS[@]}"; do
    c=$(pixel "$work/shot.png" $spot)
    case " ${COLOURS[*]:0:4} " in *" $c "*) ;; *) fail "tray slot ($spot) shows $c, not a piece";; esac
done
echo "ok: the dealt game stays on the board"
