#!/usr/bin/env bash
# The main screen on a 1024 x 768 screen: silver top bar, the green board below y = 32 ending
# its welcome animation, and QUITTER, pressed with the real pointer, ends the program with 0.
source "$(dirname "$0")/window_lib.sh"

start_tivane "$1"
# The welcome animation's last frame: a white square 200 pixels wide, the logo in its middle.
wait_for_welcome
[ "$(pixel "$work/shot.png" $BOARD_CENTRE)" != 008000 ] || fail "no logo at the centre of the board"

expect_pixel "$work/shot.png" $TOP_BAR c0c0c0 "top bar background"
expect_pixel "$work/shot.png" 945 2 c0c0c0 "QUITTER button ground"
expect_pixel "$work/shot.png" 1021 30 c0c0c0 "QUITTER button ground"
expect_pixel "$work/shot.png" 0 32 008000 "board top-left"
expect_pixel "$work/shot.png" 1023 767 008000 "board bottom-right"
expect_pixel "$work/shot.png" 300 200 008000 "board"
# The caption is drawn inside the button.
colours=$(convert "$work/shot.png" -crop 81x33+943+0 -format %k info:)
[ "$colours" -gt 2 ] || fail "the QUITTER button shows no caption"

xdotool mousemove $QUITTER_BUTTON click 1
wait_exit 20
[ "$TIVANE_STATUS" -eq 0 ] || fail "Tivane ended with status $TIVANE_STATUS"
echo "ok: QUITTER ended Tivane with status 0"
