#!/usr/bin/env bash
# In a 10-card catalogue, the fifth card in title order deleted, then the
# last one: every other card stays reachable once. Ctrl+Z twice then gives
# the files as before each deletion; the run's backup holds them as at start-up.
source "$(dirname "$0")/lib.sh"
start_x
cat_dir="$WORK/catalogue"
generate "$cat_dir" 10
lst="$cat_dir/dvd.lst" idx="$cat_dir/dvd.idx"
live_eans() { for p in $(seq 1 "$1"); do field "$lst" "$(entry "$idx" "$p")" 0 13; done; }
mapfile -t before < <(live_eans 10)
[ "$(entry "$idx" 5)" != 10 ] || fail "the fifth card is the last record: none would move into its place"
check() {
  local n="$1"; shift
  eventually count_is "$cat_dir" "$n" || fail "dvd.ini count is not $n"
  [ "$(live_eans "$n")" = "$(printf '%s\n' "${before[@]}" | grep -vxF -f <(printf '%s\n' "$@"))" ] ||
    fail "live cards after deleting $*"
}
snapshot() { mkdir -p "$1" && cp "$cat_dir"/dvd.{lst,idx,ini} "$1/"; }
same_as() { for f in dvd.lst dvd.idx dvd.ini; do cmp -s "$1/$f" "${2:-$cat_dir}/$f" || return 1; done; }
snapshot "$WORK/start"

start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")
focus_key "$main" Home Down Down Down Down F3
answer "^Message$" Return
check 9 "${before[4]}"
snapshot "$WORK/after1"
focus_key "$main" End F3
answer "^Message$" Return
check 8 "${before[4]}" "${before[9]}"
focus_key "$main" ctrl+z
eventually same_as "$WORK/after1" || fail "Ctrl+Z did not give the files as before the second deletion"
focus_key "$main" ctrl+z
eventually same_as "$WORK/start" || fail "Ctrl+Z did not give the files as before the first deletion"
backups=("$cat_dir"/sauvegardes/*/)
{ [ "${#backups[@]}" = 1 ] && same_as "$WORK/start" "${backups[0]}"; } || fail "not one backup of the start-up files"
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
echo "e2e suppression: ok"
