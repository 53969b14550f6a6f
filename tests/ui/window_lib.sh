# The real-window tests' shared part; sourced first by each script, inside an X session (xvfb-run,
# 1024 x 768). It stops the script at the first failing command, gives it a scratch folder
# `work`, and at exit ends Tivane and removes every folder made here.
set -euo pipefail
work=$(mktemp -d)
TIVANE_PID=
CLEANUP=("$work")
trap '[ -z "$TIVANE_PID" ] || kill "$TIVANE_PID" 2>/dev/null || true; rm -rf "${CLEANUP[@]}"' EXIT

# --- Places on the 1024 x 768 screen -------------------------------------------------------
CREER_BUTTON="48 16"
JOUER_BUTTON="145 16"
QUITTER_BUTTON="983 16"
TOP_BAR="500 10"                  # silver once the main screen is up
WELCOME_SQUARE="412 320"          # white in the welcome animation's last frame
BOARD_CENTRE="512 400"
# The chooser is centred: 728 x 480 at (148, 144); thumbnail i's top-left corner is at
# (174 + 110 (i mod 6), 186 + 110 (i div 6)).
CHOOSER_ANNULER="807 596"
# The creation form, 648 x 437, centred at (188, 165): its open-picture button.
OPEN_PICTURE_BUTTON="376 229"
# Its arrows: UH's right one (columns + 1), UV's upper one (rows + 1); ENREGISTRER.
CREATION_COLUMNS_UP="417 353"
CREATION_ROWS_UP="440 305"
CREATION_SAVE="552 573"
# The editing form, 648 x 402, centred at (188, 183): the name box, the same arrows, ENREGISTRER.
EDITING_NAME_BOX="364 289"
EDITING_COLUMNS_UP="417 371"
EDITING_ROWS_UP="440 323"
EDITING_SAVE="264 551"
# The win dialog, 291 x 154, centred: RETOUR AU JEU.
WIN_BACK_TO_GAME="510 431"
# The framing dialog, 492 x 412 at (266, 178): VALIDER and ANNULER.
FRAMING_VALIDER="690 526"
FRAMING_ANNULER="690 558"
# Inside the print form: IMPRIMER. Inside the print dialog: the output file's name box.
PRINT_BUTTON="88 344"
PRINT_FILE_BOX="265 118"
# The 2 x 2 puzzle's play screen: tray slot and board cell centres.
TRAY_SLOTS=("187 348" "398 348" "187 559" "398 559")
BOARD_CELLS=("626 348" "835 348" "626 557" "835 557")

# thumbnail_point I DX DY: the screen point DX, DY inside thumbnail I of the chooser.
thumbnail_point() { echo $((174 + 110 * ($1 % 6) + $2)) $((186 + 110 * ($1 / 6) + $3)); }

# --- Screenshots and pixels ----------------------------------------------------------------
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

# --- Tivane --------------------------------------------------------------------------------
# start_tivane BINARY [STORE]: starts it on STORE, by default a new empty temporary store;
# sets TIVANE_PID and STORE.
start_tivane() {
    STORE="${2:-$(mktemp -d)}"
    CLEANUP+=("$STORE")
    env -u QT_QPA_PLATFORM "$1" "$STORE" &
    TIVANE_PID=$!
}

# wait_for_welcome: the screen is up, the welcome animation at its last frame.
wait_for_welcome() { wait_for_pixel "$work/shot.png" $WELCOME_SQUARE ffffff 60; }

# make_test_store: a new store holding the two test puzzles; their cell colours go to COLOURS.
make_test_store() {
    TEST_STORE=$(mktemp -d)
    CLEANUP+=("$TEST_STORE")
    mapfile -t COLOURS < <("$TIVANE_TEST_STORE" "$TEST_STORE")
    [ ${#COLOURS[@]} -eq 6 ] || fail "the test store could not be made"
}

# visible_windows: how many windows of Tivane are on screen (menus and popups included).
visible_windows() { xdotool search --onlyvisible --pid "$TIVANE_PID" 2>/dev/null | wc -l; }

# newest_window_point DX DY: the screen point DX, DY inside the window of Tivane made last.
newest_window_point() {
    local id X Y
    id=$(xdotool search --onlyvisible --pid "$TIVANE_PID" 2>/dev/null | sort -n | tail -n 1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    echo $((X + $1)) $((Y + $2))
}

# open_chooser: JOUER, until the first thumbnail (the 2 x 2 test puzzle) shows.
open_chooser() {
    xdotool mousemove $JOUER_BUTTON click 1
    wait_for_pixel "$work/shot.png" $(thumbnail_point 0 6 6) "${COLOURS[0]}" 20
}

# choose_in_menu I DOWNS: Ctrl + right click on thumbnail I, then the menu's entry DOWNS by keys
# (1 "Imprimer" ... 5 "Importer").
choose_in_menu() {
    xdotool mousemove $(thumbnail_point "$1" 20 20) keydown ctrl click 3 keyup ctrl
    sleep 0.5
    local i
    for ((i = 0; i < $2; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 1
}

# open_first_puzzle: JOUER, the first thumbnail, until the deal has filled the tray.
open_first_puzzle() {
    open_chooser
    xdotool mousemove $(thumbnail_point 0 20 20) click 1
    # The deal ends when every tray slot shows a piece (they are dealt onto shuffled slots).
    local deadline=$((SECONDS + 20)) spot dealt
    while :; do
        shot "$work/shot.png"
        dealt=0
        for spot in "${TRAY_SLOTS[@]}"; do
            [ "$(pixel "$work/shot.png" $spot)" != 008000 ] && dealt=$((dealt + 1))
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
