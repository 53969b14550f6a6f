#!/usr/bin/env bash
# CREER on a 1024 x 768 screen: a picture typed into the open dialog, its zone dragged to the
# right in the framing dialog, VALIDER, a 3 x 4 grid, ENREGISTRER, OK. The store holds the new
# puzzle, framed where it was dragged, and JOUER lists its thumbnail.
source "$(dirname "$0")/window_lib.sh"

# 800 x 600, four upright stripes: red, green, blue, yellow.
convert -size 200x600 xc:'#ff0000' xc:'#00ff00' xc:'#0000ff' xc:'#ffff00' +append "$work/stripes.png"

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_welcome

# The creation form (648 x 437) is centred: its top-left corner is at (188, 165).
xdotool mousemove $CREER_BUTTON click 1
wait_for_pixel "$work/shot.png" 640 250 ffffff 20
# The open-picture button, then the path typed into Qt's file dialog.
xdotool mousemove $OPEN_PICTURE_BUTTON click 1
sleep 1
xdotool type --delay 20 "$work/stripes.png"
xdotool key Return
# The framing dialog (492 x 412) at (266, 178); the 360 x 270 view at (274, 255) shows the
# picture in negative (red as cyan) with the 600 x 600 zone, from the left end, in true colours.
wait_for_pixel "$work/shot.png" 280 390 ff0000 20
expect_pixel "$work/shot.png" 630 390 0000ff "the zone's right end, over the blue stripe, in true colours"
# Dragging by 50 screen pixels moves the zone by 111 picture pixels.
xdotool mousemove 454 390 mousedown 1
for x in 464 474 484 494 504; do xdotool mousemove $x 390; sleep 0.05; done
xdotool mouseup 1
shot "$work/shot.png"
expect_pixel "$work/shot.png" 280 390 00ffff "the left end, out of the zone, in negative"
echo "ok: the zone was dragged"
# VALIDER
xdotool mousemove $FRAMING_VALIDER click 1
sleep 0.5
# Columns 2 -> 3 (the right arrow of UH), rows 2 -> 4 (the upper arrow of UV, twice).
xdotool mousemove $CREATION_COLUMNS_UP click 1
xdotool mousemove $CREATION_ROWS_UP click 1
sleep 0.2
xdotool click 1
sleep 0.2
# ENREGISTRER, then OK in the message box.
xdotool mousemove $CREATION_SAVE click 1
sleep 1
xdotool key Return
wait_until 20 '[ -f "$TEST_STORE/puz2.tvn" ] && ! xdotool search --onlyvisible --name "^TIVANE\$" >/dev/null 2>&1' \
    || fail "the new puzzle was not saved"

expected=$(printf 'Nom du puzzle\r\n3\r\n4\r\nmod\xe8le=NON\r\nrotation=NON\r\ntemps=0\r\ntypemod=0\r\n' | od -An -tx1)
[ "$(od -An -tx1 < "$TEST_STORE/puz2.tvn")" = "$expected" ] || fail "puz2.tvn: $(od -c < "$TEST_STORE/puz2.tvn")"
[ "$(stat -c %s "$TEST_STORE/image2.bmp")" -eq 388854 ] || fail "image2.bmp is not 360 x 360"
[ "$(stat -c %s "$TEST_STORE/vignette2.bmp")" -eq 30054 ] || fail "vignette2.bmp is not 100 x 100"
# The zone starts 111 pixels in: its right end lies on the yellow stripe, not the blue one.
[ "$(pixel "$TEST_STORE/image2.bmp" 355 180)" = ffff00 ] || fail "the saved picture is not the dragged zone"
[ "$(pixel "$TEST_STORE/image2.bmp" 2 180)" = ff0000 ] || fail "the saved picture does not start on red"
echo "ok: puzzle 2 saved as framed, 3 x 4"

# JOUER lists it third, red on its left.
xdotool mousemove $JOUER_BUTTON click 1
wait_for_pixel "$work/shot.png" $(thumbnail_point 2 5 50) ff0000 20
expect_pixel "$work/shot.png" $(thumbnail_point 2 34 50) ffffff "the thumbnail's first column line"
echo "ok: the chooser lists the new puzzle"
