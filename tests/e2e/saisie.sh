#!/usr/bin/env bash
# Cards typed into an empty catalogue, four titles out of order; a genre typed
# past its width; browsing with the keys, then an edit that changes a title.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
cp -r "$STARTER" "$cat_dir"
start_program "$cat_dir"
answer "^Message$" Return
main=$(wait_window "^FILMOREL$")
new_card "$main" 3259190312340 "Zorro"
new_card "$main" 3259190312357 "Alien"
new_card "$main" 3259190312364 "Casablanca"
new_card "$main" 3259190312371 "Brazil"
lst="$cat_dir/dvd.lst" idx="$cat_dir/dvd.idx"

# The genre box takes 12 characters: one BackSpace after 14 leaves 11.
focus_key "$main" F2 Tab Tab Tab Tab Tab Tab ctrl+a
type_text "$main" "Polar nordique"
focus_key "$main" BackSpace F5
[ "$(field "$lst" 4 136 12)" = "Polar nordi" ] || fail "genre: '$(field "$lst" 4 136 12)'"

# Alien, Brazil, Casablanca, Zorro: End Up Up Down lands on Casablanca only
# if every key moved once; its new title is saved, the index stays in title order.
focus_key "$main" End Up Up Down F2 ctrl+a
type_text "$main" "Casablanca (1942)"
focus_key "$main" F5
[ "$(field "$lst" 3 13 100)" = "Casablanca (1942)" ] || fail "card 3: '$(field "$lst" 3 13 100)'"
order="$(for n in 1 2 3 4; do entry "$idx" "$n"; done | tr '\n' ' ')"
[ "$order" = "2 4 3 1 " ] && count_is "$cat_dir" 4 || fail "index order $order, dvd.ini: $(head -n 1 "$cat_dir/dvd.ini")"
echo "e2e saisie: ok"
