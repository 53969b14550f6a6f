#!/usr/bin/env bash
# A 2 x 2 puzzle played to the win with the real pointer: each piece, found by its colour in
# the tray, is taken and put into its own cell; the win dialog appears, then the chooser.
source "$(dirname "$0")/window_lib.sh"

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_welcome
open_first_puzzle

declare -A slot_of
for spot in "${TRAY_SLOTS[@]}"; do
    slot_of[$(pixel "$work/shot.png" $spot)]="$spot"
done
for k in 0 1 2 3; do
    from="${slot_of[${COLOURS[$k]}]:-}"
    [ -n "$from" ] || fail "piece $k is not in the tray"
    xdotool mousemove $from
    sleep 0.1
    xdotool click 1
    sleep 0.1
    xdotool mousemove ${BOARD_CELLS[$k]}
    sleep 0.1
    xdotool click 1
    sleep 0.2
    if [ $k -lt 3 ]; then
        shot "$work/shot.png"
        expect_pixel "$work/shot.png" ${BOARD_CELLS[$k]} "${COLOURS[$k]}" "piece $k in its cell"
    fi
done

# The win dialog, 291 x 154, centred: green ground inside a black border.
wait_for_pixel "$work/shot.png" 376 452 00bf00 20
expect_pixel "$work/shot.png" 366 307 000000 "win dialog's border"
echo "ok: the win dialog is shown"

# RETOUR AU JEU opens the chooser again; ANNULER goes back to the welcome screen.
xdotool mousemove $WIN_BACK_TO_GAME click 1
wait_for_pixel "$work/shot.png" $(thumbnail_point 0 6 6) "${COLOURS[0]}" 20
echo "ok: the chooser opened after the win"
xdotool mousemove $CHOOSER_ANNULER click 1
wait_for_pixel "$work/shot.png" $WELCOME_SQUARE ffffff 20
echo "ok: back to the welcome screen"
