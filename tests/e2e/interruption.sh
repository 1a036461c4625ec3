#!/usr/bin/env bash
# kill -9 just after the key of a deletion or a new card: after the next start-up
# (lock taken over, command rolled back) the files are those before or after it.
source "$(dirname "$0")/lib.sh"
start_x
generate "$WORK/pristine" 10
cat_dir="$WORK/catalogue"
state() { (cd "$1" && cat dvd.lst dvd.idx dvd.ini | md5sum); }

# quit_all: every box gets Return, the main window Escape, until the program ends.
quit_all() {
  main=$(wait_window "^FILMOREL$")
  for _ in $(seq 1 8); do
    box=$(timeout 3 xdotool search --sync --onlyvisible --name "^Message$" | head -n 1) &&
      focus_key "$box" Return || focus_key "$main" Escape
    kill -0 "$PID" 2>/dev/null || { PID=""; return 0; }
  done
  fail "the program did not end after its boxes"
}

# run COMMAND [DELAY]: its last key unpaused, kill -9 after DELAY s and restart.
run() {
  rm -rf "$cat_dir" && cp -r "$WORK/pristine" "$cat_dir"
  start_program "$cat_dir"
  main=$(wait_window "^FILMOREL$")
  case "$1" in
    delete) focus_key "$main" Home Down Down F3 && xdotool windowfocus --sync "$(wait_window "^Message$")" key Return ;;
    new) type_text "$main" 9780000000019 && answer "^Message$" Return && type_text "$main" Amadeus && xdotool key F5 ;;
  esac
  sleep "${2:-1}"
  [ -z "${2:-}" ] || { kill -9 "$PID"; wait "$PID" 2>/dev/null || true; start_program "$cat_dir"; }
  quit_all
  [ ! -e "$cat_dir/filmorel.jnl" ] || fail "$1 after ${2:-no} kill: a journal was left"
}

before=$(state "$WORK/pristine")
for command in delete new; do
  run "$command"
  after=$(state "$cat_dir")
  [ "$after" != "$before" ] || fail "$command changed nothing"
  for delay in 0 0.01 0.03; do
    run "$command" "$delay"
    s=$(state "$cat_dir")
    [ "$s" = "$before" ] || [ "$s" = "$after" ] || fail "$command killed after $delay s: neither before nor after"
  done
done
echo "e2e interruption: ok"
