#!/usr/bin/env bash
# A loan to a listed borrower and its return, another loan, then the loan
# list, the history window and the films lent to that person, each printed.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
cp -r "$STARTER" "$cat_dir"
# Two borrowers at the end of dvd.ini (the borrower list is the last one).
printf 'Julie\r\nMarc\r\n' >>"$cat_dir/dvd.ini"
today="$(date +%d/%m/%Y)"
start_program "$cat_dir"

answer "^Message$" Return
main=$(wait_window "^FILMOREL$")
new_card "$main" 3259190312371 "Brazil"
new_card "$main" 3259190312340 "Zorro"

# Brazil (first in title order) lent to Julie.
focus_key "$main" Home F6
type_text "$main" "Julie"
focus_key "$main" F5

# Its return, confirmed: the loan goes to the history file.
focus_key "$main" F7
answer "^Message$" Return
hst="$cat_dir/historique/3259190312371.hst"
[ "$(cat "$hst")" = "$(printf 'Julie\r\n%s\r\n%s\r' "$today" "$today")" ] || fail "history: $(cat -A "$hst")"

# Zorro lent to Julie, still out.
focus_key "$main" End F6
type_text "$main" "Julie"
focus_key "$main" F5

# print_list TITLE: prints the list window through its Imprimer button (Tab
# from the grid), confirms, closes the window; prints the PDF's text.
print_list() {
  local w
  w=$(wait_window "$1")
  : >"$WORK/viewer.log"
  focus_key "$w" Tab Tab space
  answer "^Message$" Return
  local pdf
  pdf="$(printed_pdf)"
  [ "$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "$1: not one page"
  focus_key "$w" Escape
  wait_gone "$1"
  pdftotext -layout "$pdf" -
}

focus_key "$main" F11
text="$(print_list "^Liste de mes Films DVD prêtés$")"
grep -q "Zorro.*Julie.*$today" <<<"$text" || fail "loan list: $text"
! grep -q Brazil <<<"$text" || fail "a returned DVD in the loan list"

focus_key "$main" Home F4
text="$(print_list "^Historique de mes Films DVD prêtés$")"
grep -q "Julie.*$today.*$today" <<<"$text" || fail "history window: $text"

focus_key "$main" alt+l f
w=$(wait_window "^Recherche...$")
focus_key "$w" ctrl+a
type_text "$w" "Julie"
focus_key "$w" Return
text="$(print_list "^Liste de mes Films prêtés à Julie$")"
grep -q "Brazil" <<<"$text" || fail "films lent to Julie: $text"

focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
echo "e2e prets: ok"
