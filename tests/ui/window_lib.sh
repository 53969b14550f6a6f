# Helpers for the real-window tests; sourced inside an X session.

# pixel FILE X Y: the colour at (X, Y) as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr "A-F" "a-f"; }

shot() { import -window root "$1"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

expect_pixel() { # FILE X Y RRGGBB WHAT
    local got; got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel ($2,$3) is $got, expected $4"
    echo "ok: $5 ($2,$3) = $got"
}

# wait_for_pixel FILE X Y RRGGBB SECONDS: take screenshots until the pixel has the colour.
wait_for_pixel() {
    local deadline=$((SECONDS + $5))
    while [ $SECONDS -lt $deadline ]; do
        shot "$1"
        [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
        sleep 0.3
    done
    fail "pixel ($2,$3) never became $4 (last $(pixel "$1" "$2" "$3"))"
}

# wait_until SECONDS CONDITION: evaluates the shell CONDITION every 0.2 s until it holds;
# returns 1 if it still does not after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    until eval "$2"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# start_tivane BINARY [STORE]: starts it on STORE, by default a new empty temporary store;
# sets TIVANE_PID and STORE. The store is removed at exit.
start_tivane() {
    STORE="${2:-$(mktemp -d)}"
    env -u QT_QPA_PLATFORM "$1" "$STORE" &
    TIVANE_PID=$!
    trap 'kill $TIVANE_PID 2>/dev/null || true; rm -rf "$STORE"' EXIT
}

# make_test_store: a new store holding the two test puzzles; their cell colours go to COLOURS.
make_test_store() {
    TEST_STORE=$(mktemp -d)
    mapfile -t COLOURS < <("$TIVANE_TEST_STORE" "$TEST_STORE")
    [ ${#COLOURS[@]} -eq 6 ] || fail "the test store could not be made"
}

# The 2 x 2 puzzle on a 1024 x 768 screen: tray slot and board cell centres on screen.
TRAY_SLOTS=("187 348" "398 348" "187 559" "398 559")
BOARD_CELLS=("626 348" "835 348" "626 557" "835 557")

# The chooser is centred: its first thumbnail's top-left corner is at (174, 186).
open_first_puzzle() { # SHOT
    xdotool mousemove 145 16 click 1
    wait_for_pixel "$1" 180 192 "${COLOURS[0]}" 20
    xdotool mousemove 195 205 click 1
    # The deal ends when every tray slot shows a piece (they are dealt onto shuffled slots).
    local deadline=$((SECONDS + 20)) spot dealt
    while :; do
        shot "$1"
        dealt=0
        for spot in "${TRAY_SLOTS[@]}"; do
            [ "$(pixel "$1" $spot)" != 008000 ] && dealt=$((dealt + 1))
        done
        [ $dealt -eq 4 ] && return 0
        [ $SECONDS -lt $deadline ] || fail "the deal never filled the tray ($dealt of 4 slots)"
        sleep 0.2
    done
}

# wait_exit SECONDS: waits for Tivane to end; sets TIVANE_STATUS.
wait_exit() {
    wait_until "$1" '! kill -0 "$TIVANE_PID" 2>/dev/null' || fail "Tivane did not end within $1 s"
    set +e; wait "$TIVANE_PID"; TIVANE_STATUS=$?; set -e
}
