#!/usr/bin/env bash
# A store as schools have them, on a 1024 x 768 screen: eight 60-byte thumbnails declaring
# 5600 x 5600 pixels, 55 descriptions that do not read, a second spelling of a number and a file
# manager's copy. Tivane comes up with its main screen, then one message that fits the screen
# with OK within reach; the chooser shows the two good puzzles.
source "$(dirname "$0")/window_lib.sh"

make_test_store
python3 - "$TEST_STORE" <<'PY'
import os, struct, sys
store = sys.argv[1]
def write(name, data):
    with open(os.path.join(store, name), 'wb') as f:
        f.write(data)
def description(name, cols=2, rows=2):
    return name + b'\r\n%d\r\n%d\r\nmod\xe8le=OUI\r\nrotation=NON\r\ntemps=0\r\ntypemod=1\r\n' % (cols, rows)
bomb = (b'BM' + struct.pack('<IHHI', 60, 0, 0, 58)
        + struct.pack('<IiiHHIIiiII', 40, 5600, 5600, 1, 8, 1, 2, 0, 0, 1, 0)
        + bytes((0, 0, 255, 0)) + b'\x00\x01')
assert len(bomb) == 60
for n in range(2, 10):
    write('puz%d.tvn' % n, description(b'Bombe %d' % n))
    write('vignette%d.bmp' % n, bomb)
for n in range(10, 65):
    write('puz%d.tvn' % n, description(b'Cass\xe9', 0, 9))
write('Puz0.tvn', description(b'Imposteur', 3, 3))
write('puz1 - Copie.tvn', description(b'Copie'))
PY

start_tivane "$1" "$TEST_STORE"
wait_until 30 'window=$(xdotool search --onlyvisible --name "^TIVANE" 2>/dev/null | head -n 1) && [ -n "$window" ]' \
    || fail "no message about the files left out"
shot "$work/shot.png"
expect_pixel "$work/shot.png" $TOP_BAR c0c0c0 "the main screen's top bar, up before the message"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "ok: the message is ${WIDTH} x ${HEIGHT} at ($X, $Y)"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
    fail "the message does not fit the 1024 x 768 screen"
# OK, the default button, is at the bottom right of the message.
xdotool mousemove $((X + WIDTH - 30)) $((Y + HEIGHT - 20)) click 1
wait_until 10 '! xdotool search --onlyvisible --name "^TIVANE" >/dev/null 2>&1' || fail "OK did not close the message"
echo "ok: OK closed the message"

# JOUER: the two good puzzles, first the lower-case spelling of puzzle 0.
open_chooser
expect_pixel "$work/shot.png" $(thumbnail_point 1 6 6) "${COLOURS[0]}" "the second thumbnail, puzzle 1"
read -r x y < <(thumbnail_point 2 0 0)
colours=$(convert "$work/shot.png" -crop 100x100+$x+$y -format %k info:)
[ "$colours" -le 2 ] || fail "a third thumbnail is shown ($colours colours where none should be)"
echo "ok: two thumbnails"
