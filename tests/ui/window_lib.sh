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

# start_tivane BINARY: starts it in a new temporary store; sets TIVANE_PID and STORE.
start_tivane() {
    STORE=$(mktemp -d)
    (cd "$STORE" && exec env -u QT_QPA_PLATFORM "$1") &
    TIVANE_PID=$!
    trap 'kill $TIVANE_PID 2>/dev/null || true; rm -rf "$STORE"' EXIT
}

# wait_exit SECONDS: waits for Tivane to end; sets TIVANE_STATUS.
wait_exit() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$TIVANE_PID" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "Tivane did not end within $1 s"
        sleep 0.2
    done
    set +e; wait "$TIVANE_PID"; TIVANE_STATUS=$?; set -e
}
