#!/usr/bin/env bash
# kill -9 a few milliseconds after the key of a deletion or a new card: after
# the next start-up (lock taken over, command rolled back) the data files
# are those before or after the command, never anything else.
source "$(dirname "$0")/lib.sh"
start_x
pristine="$WORK/pristine"
generate "$pristine" 10
cat_dir="$WORK/catalogue"
state() { (cd "$cat_dir" && cat dvd.lst dvd.idx dvd.ini | md5sum); }

# quit_all MAIN: every box gets Return, the main window Escape, until the
# program ends.
quit_all() {
  local main="$1"
  # Start-up boxes (lock taken over, command rolled back), then the quit
  # question: every box gets Return until the program ends.
  for _ in $(seq 1 8); do
    local box
    if box=$(timeout 3 xdotool search --sync --onlyvisible --name "^Message$" | head -n 1); then
      focus_key "$box" Return
    else
      focus_key "$main" Escape
    fi
    kill -0 "$PID" 2>/dev/null || { PID=""; return 0; }
  done
  fail "the program did not end after its boxes"
}

# Answers every box of a start-up, then quits.
restart_and_quit() {
  start_program "$cat_dir"
  quit_all "$(wait_window "^FILMOREL$")"
}

# run COMMAND DELAY: the command's last key, then kill -9 after DELAY seconds
# (empty: no kill, the program is quit).
run() {
  rm -rf "$cat_dir"; cp -r "$pristine" "$cat_dir"
  start_program "$cat_dir"
  local main
  main=$(wait_window "^FILMOREL$")
  case "$1" in
    delete)
      focus_key "$main" Home Down Down F3
      xdotool windowfocus --sync "$(wait_window "^Message$")"
      xdotool key Return ;;
    new)
      type_text "$main" 9780000000019
      answer "^Message$" Return
      type_text "$main" Amadeus
      xdotool key F5 ;;
  esac
  if [ -n "$2" ]; then
    sleep "$2"
    kill -9 "$PID"; wait "$PID" 2>/dev/null || true; PID=""
    restart_and_quit
  else
    sleep 1
    quit_all "$main"
  fi
  [ ! -e "$cat_dir/filmorel.jnl" ] || fail "$1 after $2 s: a journal was left"
}

rm -rf "$cat_dir"; cp -r "$pristine" "$cat_dir"; before=$(state)
for command in delete new; do
  run "$command" ""
  after=$(state)
  [ "$after" != "$before" ] || fail "$command changed nothing"
  for delay in 0 0.01 0.03; do
    run "$command" "$delay"
    s=$(state)
    [ "$s" = "$before" ] || [ "$s" = "$after" ] || fail "$command killed after $delay s: the files are neither before nor after"
  done
done
echo "e2e interruption: ok"
