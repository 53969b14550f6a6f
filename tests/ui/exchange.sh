#!/usr/bin/env bash
# A puzzle exported from one store with the chooser's "Exporter" (the path typed into the save
# dialog) and imported into a new store with "Importer": the archive holds the three entries,
# the second store lists the puzzle under its lowest free number with the same files.
set -euo pipefail
source "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)

# choose_in_menu THUMBNAIL_X THUMBNAIL_Y DOWNS: Ctrl + right click, then the menu by keys.
choose_in_menu() {
    xdotool mousemove "$1" "$2" keydown ctrl click 3 keyup ctrl
    sleep 0.5
    local i
    for ((i = 0; i < $3; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 1
}

make_test_store
start_tivane "$1" "$TEST_STORE"
wait_for_pixel "$work/shot.png" 412 320 ffffff 60
xdotool mousemove 145 16 click 1
wait_for_pixel "$work/shot.png" 180 192 "${COLOURS[0]}" 20
# The second thumbnail (the 3 x 2 puzzle), "Exporter", the archive's path, Return.
choose_in_menu 305 207 4
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
wait_for_pixel "$work/shot.png" 412 320 ffffff 60
[ -f "$second/puz4.tvn" ] && [ ! -f "$second/puz5.tvn" ] || fail "the new store does not hold the starter puzzles"
xdotool mousemove 145 16 click 1
sleep 1
# Any thumbnail, "Importer", the archive's path, Return.
choose_in_menu 195 205 5
xdotool type --delay 20 "$work/six.zip"
xdotool key Return
wait_until 20 '[ -f "$second/puz5.tvn" ]' || fail "the puzzle was not imported"
for file in puz image vignette; do
    ext=bmp; [ $file = puz ] && ext=tvn
    cmp -s "$TEST_STORE/${file}1.$ext" "$second/${file}5.$ext" || fail "${file}5.$ext differs from the exported ${file}1.$ext"
done
[ -z "$(ls "$second" | grep -iE '^(puz\.tvn|image\.bmp|vignette\.bmp)$')" ] || fail "staging files in the store"
# The sixth thumbnail, at (725, 187), shows the puzzle's first cell.
wait_for_pixel "$work/shot.png" 730 192 "${COLOURS[0]}" 20
echo "ok: imported as puzzle 5, byte for byte, listed at once"
rm -rf "$work" "$TEST_STORE"
