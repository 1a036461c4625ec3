#!/usr/bin/env bash
# A loan to a listed borrower (the list that ends dvd.ini), its return, another
# loan; the loan list, the history and the films lent to her, each printed.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue" && cp -r "$STARTER" "$cat_dir"
printf 'Julie\r\nMarc\r\n' >>"$cat_dir/dvd.ini"
today="$(date +%d/%m/%Y)"
start_program "$cat_dir"
answer "^Message$" Return
main=$(wait_window "^FILMOREL$")
new_card "$main" 3259190312371 "Brazil"
new_card "$main" 3259190312340 "Zorro"
lend() { focus_key "$main" "$1" F6 && type_text "$main" "Julie" && focus_key "$main" F5; }

lend Home # Brazil, first in title order
focus_key "$main" F7
answer "^Message$" Return
lend End # Zorro, still out

# print_list TITLE: that window printed (Imprimer is Tab Tab away), closed; the PDF's text.
print_list() {
  w=$(wait_window "$1")
  : >"$WORK/viewer.log"
  focus_key "$w" Tab Tab space
  answer "^Message$" Return
  focus_key "$w" Escape
  wait_gone "$1"
  pdftotext -layout "$(printed_pdf)" -
}
focus_key "$main" F11
text="$(print_list "^Liste de mes Films DVD prêtés$")"
grep -q "Zorro.*Julie.*$today" <<<"$text" && ! grep -q Brazil <<<"$text" || fail "loan list: $text"
focus_key "$main" Home F4
grep -q "Julie.*$today.*$today" <<<"$(print_list "^Historique de mes Films DVD prêtés$")" || fail "history window"
focus_key "$main" alt+l f
w=$(wait_window "^Recherche...$") && focus_key "$w" ctrl+a
type_text "$w" "Julie"
focus_key "$w" Return
grep -q "Brazil" <<<"$(print_list "^Liste de mes Films prêtés à Julie$")" || fail "films lent to Julie"
echo "e2e prets: ok"
