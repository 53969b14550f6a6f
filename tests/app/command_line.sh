#!/usr/bin/env bash
# tivane --help and --version answer in French and end with 0 without any window system; an
# unknown option ends with 2.
set -u
program="$1"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(run --help 2>&1); status=$?
[ $status -eq 0 ] || fail "--help ended with $status: $out"
grep -q '^Utilisation : tivane \[DOSSIER\]$' <<<"$out" || fail "--help printed: $out"
grep -q 'affiche la version de Tivane' <<<"$out" || fail "--help printed: $out"

out=$(run --version 2>&1); status=$?
[ $status -eq 0 ] || fail "--version ended with $status: $out"
[[ "$out" =~ ^Tivane\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $out"

out=$(run --plein-ecran 2>&1); status=$?
[ $status -eq 2 ] || fail "an unknown option ended with $status: $out"
grep -q 'option inconnue « --plein-ecran »' <<<"$out" || fail "an unknown option printed: $out"
echo "ok: --help, --version and an unknown option, without a display"
