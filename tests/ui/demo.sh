#!/usr/bin/env bash
# Left alone for a little over 30 s on a 1024 x 768 screen with a new store, Tivane shows its
# demonstration: navy ground and the silver target grid, a starter puzzle's pieces beside it. Moving the pointer brings the welcome screen back.
source "$(dirname "$0")/window_lib.sh"
keep="${TIVANE_DEMO_SHOTS:-}"

start_tivane "$1"
wait_for_welcome
echo "ok: the welcome screen is shown"

# The pointer is not touched: the demonstration starts after 30 idle seconds.
wait_for_pixel "$work/shot.png" 1000 100 000080 50
[ -z "$keep" ] || cp "$work/shot.png" "$keep/demo.png"
expect_pixel "$work/shot.png" 5 40 000080 "navy ground, top left"
expect_pixel "$work/shot.png" 512 720 000080 "navy ground below the grid"
# Grid: left 522, top 190 on screen, side 419. The end of its top line lies beyond the last
# column, where no piece ever comes.
expect_pixel "$work/shot.png" 938 190 c0c0c0 "top grid line"
expect_pixel "$work/shot.png" 940 190 c0c0c0 "top grid line's last pixel"
expect_pixel "$work/shot.png" 941 190 000080 "right of the top grid line"
# The pieces show the picture: many colours between the tray and the grid.
colours=$(convert "$work/shot.png" -crop 858x419+83+190 -format %k info:)
[ "$colours" -gt 50 ] || fail "the demonstration shows no picture ($colours colours)"
echo "ok: the demonstration shows $colours colours"

# A move of the pointer stops it: the welcome animation comes back.
xdotool mousemove 300 600
sleep 0.2
xdotool mousemove 310 610
wait_for_pixel "$work/shot.png" 1000 100 008000 20
[ -z "$keep" ] || cp "$work/shot.png" "$keep/stopped.png"
wait_for_pixel "$work/shot.png" $WELCOME_SQUARE ffffff 20
expect_pixel "$work/shot.png" 5 40 008000 "green ground"
expect_pixel "$work/shot.png" 940 190 008000 "no grid line"
echo "ok: the pointer's move brought the welcome screen back"
