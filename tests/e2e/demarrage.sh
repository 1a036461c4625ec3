#!/usr/bin/env bash
# First start on the starter catalogue: the empty-catalogue message, then
# quitting through the button and its question.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
cp -r "$STARTER" "$cat_dir"
rm -f "$cat_dir/dvd.lst" "$cat_dir/dvd.idx"
start_program "$cat_dir"

msg=$(wait_window "^Message$")
focus_key "$msg" Return
main=$(wait_window "^FILMOREL$")
# Esc asks "Etes-vous sûr de vouloir Quitter ?"; Oui ends the program.
focus_key "$main" Escape
q=$(wait_window "^Message$")
focus_key "$q" Return
wait_exit 10

[ -f "$cat_dir/dvd.lst" ] || fail "dvd.lst missing"
[ -f "$cat_dir/dvd.idx" ] || fail "dvd.idx missing"
[ ! -s "$cat_dir/dvd.lst" ] || fail "dvd.lst not empty"
[ ! -s "$cat_dir/dvd.idx" ] || fail "dvd.idx not empty"
echo "e2e demarrage: ok"
