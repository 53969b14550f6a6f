#!/usr/bin/env bash
# Every file dialog, on a 1024 x 768 screen, given the full name of an existing file typed into
# its name box and Return: the open-picture dialog of CREER, "Importer", "Exporter" and the print
# dialog's output file. Once the dialog has closed no window of it is left (the name box's
# completion list once stayed on screen and swallowed the next click), and a Ctrl + right click
# on a thumbnail opens the menu at once.
source "$(dirname "$0")/window_lib.sh"

convert -size 800x600 xc:'#ff0000' "$work/rouge.png"
make_test_store
python3 - "$TEST_STORE" "$work/envoi.zip" <<'PY'
import os, sys, zipfile
store, archive = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive, 'w') as z:
    for stored, entry in (('puz1.tvn', 'puz.tvn'), ('image1.bmp', 'image.bmp'), ('vignette1.bmp', 'vignette.bmp')):
        z.write(os.path.join(store, stored), entry)
PY
# The print dialog would ask before replacing a file: it is given a new name that an existing one
# begins with, so that its name box has a completion to offer.
touch "$work/feuille.pdf.ancien"
start_tivane "$1" "$TEST_STORE"
wait_for_welcome

# expect_windows COUNT WHAT: within a few seconds, exactly COUNT windows of Tivane are on screen.
expect_windows() {
    local want=$1
    wait_until 5 '[ "$(visible_windows)" -eq "$want" ]' ||
        fail "$2: $(visible_windows) windows on screen, expected $1"
    # A popup brought up late by the folder's listing would show within this time.
    sleep 1.5
    [ "$(visible_windows)" -eq "$1" ] || fail "$2: $(visible_windows) windows on screen, expected $1"
    echo "ok: $2 ($1 windows)"
}

# menu_opens: a Ctrl + right click on the first thumbnail opens the menu; Escape closes it.
menu_opens() {
    local before; before=$(visible_windows)
    xdotool mousemove $(thumbnail_point 0 20 20) keydown ctrl click 3 keyup ctrl
    wait_until 5 '[ "$(visible_windows)" -gt "$before" ]' || fail "$1: the menu did not open"
    xdotool key Escape
    wait_until 5 '[ "$(visible_windows)" -eq "$before" ]' || fail "$1: the menu did not close"
    echo "ok: $1, the menu opens at once"
}

# type_path PATH: the name box has the focus; its text is replaced by PATH, then Return.
type_path() {
    sleep 1
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
}

# CREER, its open-picture dialog OP: the framing dialog opens over the form, and nothing else.
xdotool mousemove $CREER_BUTTON click 1
wait_until 10 '[ "$(visible_windows)" -eq 2 ]' || fail "the creation form did not open"
xdotool mousemove $OPEN_PICTURE_BUTTON click 1
type_path "$work/rouge.png"
expect_windows 3 "the open-picture dialog, closed"
xdotool mousemove $FRAMING_ANNULER click 1
wait_until 10 '[ "$(visible_windows)" -eq 1 ]' || fail "the creation form did not close"

open_chooser
# "Importer", OD.
choose_in_menu 0 5
type_path "$work/envoi.zip"
wait_until 20 '[ -f "$TEST_STORE/puz2.tvn" ]' || fail "the archive was not imported"
expect_windows 2 "the import dialog, closed"
menu_opens "after the import"

# "Exporter", SD, to the same archive: replaced once the question is answered.
choose_in_menu 0 4
type_path "$work/envoi.zip"
wait_until 10 '[ "$(visible_windows)" -eq 3 ]' || fail "no question before replacing the archive"
xdotool key Return
wait_until 20 '[ "$(unzip -p "$work/envoi.zip" puz.tvn | head -n 1 | tr -d "\r")" = "$(head -n 1 "$TEST_STORE/puz0.tvn" | tr -d "\r")" ]' \
    || fail "the archive was not replaced"
expect_windows 2 "the export dialog, closed"
menu_opens "after the export"

# "Imprimer", IMPRIMER, the print dialog PD printing into a file.
choose_in_menu 0 1
wait_until 10 '[ "$(visible_windows)" -eq 3 ]' || fail "the print form did not open"
xdotool mousemove $(newest_window_point $PRINT_BUTTON) click 1
wait_until 10 '[ "$(visible_windows)" -eq 4 ]' || fail "the print dialog did not open"
xdotool mousemove $(newest_window_point $PRINT_FILE_BOX) click 1
type_path "$work/feuille.pdf"
# The first Return may only close the completion list, as in any name box.
sleep 1
[ "$(visible_windows)" -lt 4 ] || xdotool key Return
wait_until 30 '[ -s "$work/feuille.pdf" ]' || fail "nothing was printed into the file"
expect_windows 3 "the print dialog, closed"
xdotool key Escape
wait_until 10 '[ "$(visible_windows)" -eq 2 ]' || fail "the print form did not close"
menu_opens "after printing"
