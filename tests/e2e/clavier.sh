#!/usr/bin/env bash
# Every key acts once: a key that answers a box or chooses a menu entry does
# nothing more in the main window; overlapping and held keys act once each;
# a failed save on a read-only folder is said once.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
generate "$cat_dir" 40
lst="$cat_dir/dvd.lst" idx="$cat_dir/dvd.idx"
ean_at() { field "$lst" "$(entry "$idx" "$1")" 0 13; }
lent_at() { [ "$(field "$lst" "$(entry "$idx" "$1")" 954 3)" = Oui ]; }
# deleted EAN N WHAT: only one card went, and it is that one.
deleted() {
  eventually count_is "$cat_dir" "$2" || fail "$3: not $2 cards"
  ! for p in $(seq 1 "$2"); do ean_at "$p"; done | grep -x "$1" >/dev/null || fail "$3: the card is still there"
}

start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")

# Home, Page Down and Down overlapping (step 3), Down held: position 6.
target="$(ean_at 6)"
focus_key "$main" Home
xdotool keydown Next keydown Down keyup Next keyup Down
xdotool keydown Down; sleep 1.5; xdotool keyup Down
focus_key "$main" F3
answer "^Message$" Return
deleted "$target" 39 "overlapping and held keys"

# Alt+D P: the next lent card; from the scroll bar (Tab Tab from the search
# box), F3 then Return twice deletes that card alone.
p=2; while [ "$p" -le 39 ] && ! lent_at "$p"; do p=$((p + 1)); done
[ "$p" -le 39 ] || fail "no lent card in the catalogue"
target="$(ean_at "$p")"
focus_key "$main" Home alt+d p
focus_key "$main" Tab Tab F3
answer "^Message$" Return
focus_key "$main" Return
deleted "$target" 38 "Alt+D P, F3, Return, Return"
no_box "F3 and Return twice"

# Esc on a question, on an input box: its release does nothing more.
focus_key "$main" F3
answer "^Message$" Escape
no_box "Esc on the deletion question"
focus_key "$main" alt+d f
answer "^Recherche$" Escape
no_box "Esc on the title input box"
focus_key "$main" Escape
answer "^Message$" Escape
no_box "Esc on the question to quit"
count_is "$cat_dir" 38 || fail "a box answered with Esc deleted a card"

# A digit typed into the title and F5 pressed before its release: saved.
focus_key "$main" F2
xdotool keydown 7 keydown F5 keyup 7 keyup F5
saved() { for r in $(seq 1 38); do field "$lst" "$r" 13 100; done | grep 7 >/dev/null; }
eventually saved || fail "F5 pressed over a typed key did not save"
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10

# Read-only folder: F5 says once that the card cannot be saved.
start_program_ro "$cat_dir"
main=$(wait_window "^FILMOREL$")
focus_key "$main" F2
type_text "$main" "8"
focus_key "$main" F5
answer "^Message$" Return
no_box "the refused save"
echo "e2e clavier: ok"
