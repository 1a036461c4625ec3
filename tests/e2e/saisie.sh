#!/usr/bin/env bash
# A first card typed into the running program: bar code, creation question,
# title, F5; then F3 answered No, and Esc to quit.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
cp -r "$STARTER" "$cat_dir"
start_program "$cat_dir"

focus_key "$(wait_window "^Message$")" Return
main=$(wait_window "^FILMOREL$")
type_text "$main" 3259190312345
# "Fiche non trouvée !!!" / "Voulez-vous la créer ?": Yes is the default button.
focus_key "$(wait_window "^Message$")" Return
type_text "$main" "Alien le huitieme passager"
focus_key "$main" F5
# Deletion question answered No (Esc picks No in a Yes/No box).
focus_key "$main" F3
focus_key "$(wait_window "^Message$")" Escape
focus_key "$main" Escape
focus_key "$(wait_window "^Message$")" Return
wait_exit 10

[ "$(stat -c %s "$cat_dir/dvd.lst")" = 1017 ] || fail "dvd.lst should hold one card"
[ "$(stat -c %s "$cat_dir/dvd.idx")" = 125 ] || fail "dvd.idx should hold one entry"
head -c 13 "$cat_dir/dvd.lst" | grep -q '^3259190312345$' || fail "bar code not at offset 0"
dd if="$cat_dir/dvd.lst" bs=1 skip=13 count=26 2>/dev/null | grep -q '^Alien le huitieme passager$' || fail "title not stored"
[ "$(head -n 1 "$cat_dir/dvd.ini" | tr -d '\r')" = 1 ] || fail "dvd.ini count is not 1"
echo "e2e saisie: ok"
