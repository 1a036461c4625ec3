#!/usr/bin/env bash
# Three cards of a 30-card catalogue exported with their covers through the
# keyboard, then imported into a second catalogue that already holds two of
# their bar codes: the first duplicate answered No (Esc), the second Yes.
source "$(dirname "$0")/lib.sh"
start_x
a="$WORK/a" b="$WORK/b"
generate "$a" 30
start_program "$a"
main=$(wait_window "^FILMOREL$")
focus_key "$main" alt+f e
# The first three titles ticked, then the covers box (next in tab order).
focus_key "$(wait_window "^Exporter des Films$")" Home space Down space Down space Tab space alt+e
answer "^Message$" Return
kill "$PID" && wait "$PID" 2>/dev/null || true

[ "$(stat -c %s "$a/export/export.lst")" = $((3 * 1017)) ] || fail "export.lst should hold three cards"
mapfile -t eans < <(for n in 1 2 3; do field "$a/export/export.lst" "$n" 0 13; done)
for e in "${eans[@]}"; do cmp -s "$a/jackets/$e.jpg" "$a/export/$e.jpg" || fail "cover of $e not exported"; done

cp -r "$STARTER" "$b" && cp "$a"/export/* "$b/export/"
start_program "$b"
answer "^Message$" Return
main=$(wait_window "^FILMOREL$")
new_card "$main" "${eans[0]}" "Premier double"
new_card "$main" "${eans[1]}" "Second double"
focus_key "$main" alt+f i
# The covers box (next to the list in tab order), every card, Importer.
focus_key "$(wait_window "^Importer des Films$")" Tab space alt+t alt+i
answer "^Message$" Escape
answer "^Message$" Return
# "Importation de 2 fiche(s) terminée(s) avec succès !!!"
answer "^Message$" Return

# Appended in export order: the second exported card (Yes), then the third.
lst="$b/dvd.lst"
[ "$(stat -c %s "$lst")" = $((4 * 1017)) ] && count_is "$b" 4 || fail "the second catalogue should hold four cards"
[ "$(field "$lst" 3 0 13) $(field "$lst" 4 0 13)" = "${eans[1]} ${eans[2]}" ] || fail "cards 3 and 4 are not the ones accepted"
[ "$(ls "$b/jackets" | sort | tr '\n' ' ')" = "${eans[1]}.jpg ${eans[2]}.jpg jacket.bmp " ] ||
  fail "covers in the second catalogue: $(ls "$b/jackets")"
echo "e2e echange: ok"
