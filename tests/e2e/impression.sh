#!/usr/bin/env bash
# The catalogue list of a 200-card catalogue sorted by purchase date, printed
# to PDF: every card once, latest purchase first, with "Page p/n" footers
# matching the pages of the file.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
generate "$cat_dir" 200
start_program "$cat_dir"

main=$(wait_window "^FILMOREL$")
focus_key "$main" F12
# "Voulez-vous un affichage trié par date d'achat ?": Yes.
answer "^Message$" Return
w=$(wait_window "^Liste de mes Films DVD$")
focus_key "$w" Tab Tab space
answer "^Message$" Return
pdf="$(printed_pdf)"
pages="$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')"
[ "$pages" -ge 2 ] || fail "200 lines on $pages page(s)"
text="$(pdftotext -layout "$pdf" - | tr -d '\f')"
for p in $(seq 1 "$pages"); do
  pdftotext -f "$p" -l "$p" -layout "$pdf" - | grep -q "Page n° $p/$pages" || fail "page $p has no footer $p/$pages"
done

# One row per card: its line number then, somewhere, its purchase date.
rows="$(grep -E '^ *[0-9]+ ' <<<"$text" | grep -oE '[0-9]{2}/[0-9]{2}/[0-9]{4}' )"
[ "$(wc -l <<<"$rows")" = 200 ] || fail "$(wc -l <<<"$rows") dated rows printed"
sortable="$(awk -F/ '{print $3 $2 $1}' <<<"$rows")"
[ "$sortable" = "$(sort -r <<<"$sortable")" ] || fail "rows not in date order"
[ "$(grep -oE '^ *[0-9]+ ' <<<"$text" | tr -d ' ')" = "$(seq 1 200)" ] || fail "line numbers are not 1 to 200"

focus_key "$w" Escape
wait_gone "^Liste de mes Films DVD$"
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
echo "e2e impression: ok"
