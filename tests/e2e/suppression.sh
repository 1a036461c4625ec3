#!/usr/bin/env bash
# In a 10-card catalogue, the fifth card in title order deleted, then the
# last one: the live records and index entries hold every other card once.
# Ctrl+Z twice then gives the files as they were before each deletion, and
# the run's backup holds them as they were at start-up.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
generate "$cat_dir" 10
lst="$cat_dir/dvd.lst" idx="$cat_dir/dvd.idx"
ean_at() { field "$lst" "$(entry "$idx" "$1")" 0 13; }
mapfile -t before < <(for p in $(seq 1 10); do ean_at "$p"; done)
# So that the first deletion moves the last record into the freed place.
[ "$(entry "$idx" 5)" != 10 ] || fail "the fifth card is the last record"

# live_eans N: the bar codes reachable through the first N index entries,
# in index order.
live_eans() { for p in $(seq 1 "$1"); do ean_at "$p"; done; }
check() {
  local n="$1" gone="$2"
  eventually count_is "$cat_dir" "$n" || fail "dvd.ini count is not $n"
  [ "$(for p in $(seq 1 "$n"); do entry "$idx" "$p"; done | sort -n | tr '\n' ' ')" = "$(seq -s ' ' 1 "$n") " ] ||
    fail "the $n live entries do not point to records 1 to $n once each"
  local expected
  expected="$(printf '%s\n' "${before[@]}" | grep -vxF -f <(printf '%s\n' $gone))"
  [ "$(live_eans "$n")" = "$expected" ] || fail "live cards after deleting $gone"
  [ "$(stat -c %s "$lst")" = $((10 * 1017)) ] || fail "dvd.lst was shortened"
}

# snapshot DIR: a copy of the three catalogue files.
snapshot() { mkdir -p "$1" && cp "$cat_dir"/dvd.{lst,idx,ini} "$1/"; }
same_as() {
  for f in dvd.lst dvd.idx dvd.ini; do
    cmp -s "$1/$f" "${2:-$cat_dir}/$f" || return 1
  done
}
snapshot "$WORK/start"

start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")
focus_key "$main" Home Down Down Down Down F3
answer "^Message$" Return
check 9 "${before[4]}"
snapshot "$WORK/after1"
focus_key "$main" End F3
answer "^Message$" Return
check 8 "${before[4]} ${before[9]}"
focus_key "$main" ctrl+z
eventually same_as "$WORK/after1" || fail "Ctrl+Z did not give the files as before the second deletion"
focus_key "$main" ctrl+z
eventually same_as "$WORK/start" || fail "Ctrl+Z did not give the files as before the first deletion"
backups=("$cat_dir"/sauvegardes/*/)
[ "${#backups[@]}" = 1 ] || fail "not one backup: ${backups[*]}"
same_as "$WORK/start" "${backups[0]}" || fail "the backup does not hold the files as at start-up"
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
echo "e2e suppression: ok"
