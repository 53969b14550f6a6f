#!/usr/bin/env bash
# A store on a read-only mount (a school share, a locked USB stick): Tivane starts, deals a
# puzzle, and a deletion says why it cannot be done and changes nothing. Needs root to mount;
# skipped otherwise.
source "$(dirname "$0")/window_lib.sh"

[ "$(id -u)" -eq 0 ] || { echo "skipped: mounting needs root"; exit 77; }
make_test_store
shared=$(mktemp -d)
mount --bind "$TEST_STORE" "$shared" && mount -o remount,bind,ro "$shared" \
    || { echo "skipped: a read-only bind mount cannot be made here"; exit 77; }
# The shared preamble's clean-up, after the mount is gone (never remove through it).
trap '[ -z "$TIVANE_PID" ] || kill "$TIVANE_PID" 2>/dev/null || true
      umount -l "$shared" 2>/dev/null && rmdir "$shared"; rm -rf "${CLEANUP[@]}"' EXIT
touch "$shared/essai" 2>/dev/null && fail "the mount is not read-only"
before=$(cd "$TEST_STORE" && find . -type f -exec sha1sum {} + | sort)

start_tivane "$1" "$shared"
wait_for_welcome
kill -0 "$TIVANE_PID" || fail "Tivane did not start on a read-only store"
open_first_puzzle
echo "ok: a puzzle of the read-only store is dealt"

# Supprimer on the first thumbnail, Oui: one message, and the store as it was.
open_chooser
windows=$(visible_windows)
choose_in_menu 0 2
xdotool key Return
wait_until 10 '[ "$(visible_windows)" -eq $((windows + 1)) ]' || fail "no message after the deletion"
sleep 1
[ "$(visible_windows)" -eq $((windows + 1)) ] || fail "more than one message after the deletion"
xdotool key Return
wait_until 10 '[ "$(visible_windows)" -eq "$windows" ]' || fail "the message did not close"
after=$(cd "$TEST_STORE" && find . -type f -exec sha1sum {} + | sort)
[ "$before" = "$after" ] || fail "the read-only store changed"
kill -0 "$TIVANE_PID" || fail "Tivane ended"
echo "ok: the deletion was refused with one message and the store is unchanged"
