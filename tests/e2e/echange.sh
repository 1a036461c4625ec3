#!/usr/bin/env bash
# Three cards of a 30-card catalogue exported with their covers, then
# imported into a second catalogue that already holds two of their bar
# codes: the first duplicate answered No, the second Yes.
source "$(dirname "$0")/lib.sh"
start_x
a="$WORK/a" b="$WORK/b"
generate "$a" 30

start_program "$a"
main=$(wait_window "^FILMOREL$")
focus_key "$main" alt+f e
w=$(wait_window "^Exporter des Films$")
# The first three titles ticked, then the covers box (next in tab order).
focus_key "$w" Home space Down space Down space Tab space alt+e
answer "^Message$" Return
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10

[ "$(stat -c %s "$a/export/export.lst")" = $((3 * 1017)) ] || fail "export.lst should hold three cards"
mapfile -t eans < <(for n in 1 2 3; do field "$a/export/export.lst" "$n" 0 13; done)
for e in "${eans[@]}"; do
  cmp -s "$a/jackets/$e.jpg" "$a/export/$e.jpg" || fail "cover of $e not exported"
done

# The second catalogue: the first two exported bar codes typed as new cards.
cp -r "$STARTER" "$b"
cp "$a"/export/* "$b/export/"
start_program "$b"
answer "^Message$" Return
main=$(wait_window "^FILMOREL$")
new_card "$main" "${eans[0]}" "Premier double"
new_card "$main" "${eans[1]}" "Second double"
focus_key "$main" alt+f i
w=$(wait_window "^Importer des Films$")
# The covers box (next to the list in tab order), every card, Importer.
focus_key "$w" Tab space alt+t alt+i
# "Il y a déjà une fiche avec le même code EAN !": No, then Yes.
answer "^Message$" Escape
answer "^Message$" Return
# "Importation de 2 fiche(s) terminée(s) avec succès !!!"
answer "^Message$" Return
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10

lst="$b/dvd.lst"
[ "$(stat -c %s "$lst")" = $((4 * 1017)) ] || fail "the second catalogue should hold four cards"
count_is "$b" 4 || fail "dvd.ini count is not 4"
# Appended in export order: the second exported card (Yes), then the third.
[ "$(field "$lst" 3 0 13)" = "${eans[1]}" ] || fail "card 3 is not the duplicate accepted"
[ "$(field "$lst" 4 0 13)" = "${eans[2]}" ] || fail "card 4 is not the third card"
cmp -s <(dd if="$lst" bs=1017 skip=2 count=2 2>/dev/null) <(dd if="$a/export/export.lst" bs=1017 skip=1 count=2 2>/dev/null) ||
  fail "imported records differ from the exported ones"
[ "$(ls "$b/jackets" | sort | tr '\n' ' ')" = "${eans[1]}.jpg ${eans[2]}.jpg jacket.bmp " ] ||
  fail "covers in the second catalogue: $(ls "$b/jackets")"
# Every card reachable from the index, once.
[ "$(for n in 1 2 3 4; do entry "$b/dvd.idx" "$n"; done | sort | tr '\n' ' ')" = "1 2 3 4 " ] || fail "index entries"
echo "e2e echange: ok"
