#!/usr/bin/env bash
# A puzzle exported from one store with the chooser's "Exporter" (the path typed into the save
# dialog) and imported into a new store with "Importer": the archive holds the three entries,
# the second store lists the puzzle under its lowest free number with the same files.
source "$(dirname "$0")/window_lib.sh"

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_welcome
open_chooser
# The second thumbnail (the 3 x 2 puzzle), "Exporter", the archive's path, Return.
choose_in_menu 1 4
xdotool type --delay 20 "$work/six"
xdotool key Return
wait_until 20 '[ -s "$work/six.zip" ]' || fail "no archive was written"
entries=$(python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$work/six.zip")
[ "$entries" = "puz.tvn image.bmp vignette.bmp" ] || fail "the archive holds: $entries"
echo "ok: exported to six.zip ($entries)"
kill "$TIVANE_PID"; wait "$TIVANE_PID" 2>/dev/null || true

# A new store: the starter puzzles, 0 to 4.
second="$work/classe"
start_tivane "$1" "$second"
wait_for_welcome
[ -f "$second/puz4.tvn" ] && [ ! -f "$second/puz5.tvn" ] || fail "the new store does not hold the starter puzzles"
xdotool mousemove $JOUER_BUTTON click 1
sleep 1
# Any thumbnail, "Importer", the archive's path, Return.
choose_in_menu 0 5
xdotool type --delay 20 "$work/six.zip"
xdotool key Return
wait_until 20 '[ -f "$second/puz5.tvn" ]' || fail "the puzzle was not imported"
for file in puz image vignette; do
    ext=bmp; [ $file = puz ] && ext=tvn
    cmp -s "$TEST_STORE/${file}1.$ext" "$second/${file}5.$ext" || fail "${file}5.$ext differs from the exported ${file}1.$ext"
done
[ -z "$(ls "$second" | grep -iE '^(puz\.tvn|image\.bmp|vignette\.bmp)$')" ] || fail "staging files in the store"
# The sixth thumbnail shows the puzzle's first cell.
wait_for_pixel "$work/shot.png" $(thumbnail_point 5 6 6) "${COLOURS[0]}" 20
echo "ok: imported as puzzle 5, byte for byte, listed at once"
