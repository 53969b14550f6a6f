#!/usr/bin/env bash
# Ctrl + right click on a thumbnail, Modifier (the menu walked with the arrow keys), a new name
# and a 3 x 3 grid, ENREGISTRER, OK: the chooser shows the new grid marks and the file holds
# the new values.
source "$(dirname "$0")/window_lib.sh"

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_welcome
open_chooser
# The 2 x 2 puzzle's thumbnail, the first, has one upright grid line, at x = 50.
expect_pixel "$work/shot.png" $(thumbnail_point 0 51 50) ffffff "the old grid line"

choose_in_menu 0 3
# The editing form (648 x 402) is centred: its top-left corner is at (188, 183).
wait_for_pixel "$work/shot.png" 195 190 efefef 20
sleep 0.5
xdotool mousemove $EDITING_NAME_BOX click 1 key ctrl+a
xdotool type --delay 20 "Renomme"
# Columns 2 -> 3 and rows 2 -> 3.
xdotool mousemove $EDITING_COLUMNS_UP click 1
xdotool mousemove $EDITING_ROWS_UP click 1
sleep 0.2
# ENREGISTRER, then OK.
xdotool mousemove $EDITING_SAVE click 1
sleep 1
xdotool key Return

expected=$(printf 'Renomme\r\n3\r\n3\r\nmod\xe8le=NON\r\nrotation=NON\r\ntemps=0\r\ntypemod=0\r\n' | od -An -tx1)
wait_until 20 '[ "$(od -An -tx1 < "$TEST_STORE/puz0.tvn")" = "$expected" ]' \
    || fail "puz0.tvn: $(od -c < "$TEST_STORE/puz0.tvn")"
echo "ok: puz0.tvn holds the new name and grid"
# The chooser, still open, shows the new marks: lines at x = 33 and 66.
wait_for_pixel "$work/shot.png" $(thumbnail_point 0 34 50) ffffff 20
expect_pixel "$work/shot.png" $(thumbnail_point 0 67 50) ffffff "the second new grid line"
[ "$(pixel "$work/shot.png" $(thumbnail_point 0 51 50))" != ffffff ] || fail "the old grid line is still drawn"
echo "ok: the chooser shows the new grid"
