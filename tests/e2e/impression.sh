#!/usr/bin/env bash
# The catalogue list of a 200-card catalogue sorted by purchase date, printed
# to PDF: every card once, latest purchase first, with "Page p/n" footers
# matching the pages of the file. Then a print server appears (a private
# cupsd on its own folder and port, never the machine's): the same list goes
# to its queue with the same pages; the server stopped, the print says it failed.
source "$(dirname "$0")/lib.sh"
[ -x /usr/sbin/cupsd ] || fail "no cupsd (tools/deps.sh test installs cups-daemon)"
cups="$WORK/cups"
mkdir -p "$cups"/{spool,tmp,cache,state,log}
chmod 777 "$cups/tmp"
port=""
for p in $(seq 18631 18731); do
  (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { port=$p; break; }
done
[ -n "$port" ] || fail "no free port"
export CUPS_SERVER="127.0.0.1:$port"
printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/tmp" "CacheDir $cups/cache" \
  "StateDir $cups/state" "AccessLog $cups/log/access_log" "ErrorLog $cups/log/error_log" \
  "PageLog $cups/log/page_log" "Printcap $cups/printcap" "FileDevice Yes" >"$cups/cups-files.conf"
printf '%s\n' "Listen 127.0.0.1:$port" "Browsing No" "DefaultAuthType None" "PreserveJobFiles Yes" \
  "<Location />" "Order allow,deny" "Allow all" "</Location>" \
  "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" >"$cups/cupsd.conf"
# A raw queue: the server keeps each job's document as the program sent it.
printf '%s\n' "<DefaultPrinter Bureau>" "Info Bureau" "DeviceURI file:///dev/null" "State Idle" \
  "Accepting Yes" "Shared No" "</DefaultPrinter>" >"$cups/printers.conf"
CUPSD_PID=""
stop_cups() {
  [ -z "$CUPSD_PID" ] && return 0
  kill "$CUPSD_PID" 2>/dev/null || true
  wait "$CUPSD_PID" 2>/dev/null || true
  CUPSD_PID=""
}
start_cups() {
  /usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >>"$cups/log/run.log" 2>&1 &
  CUPSD_PID=$!
  for _ in $(seq 1 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
  sleep 1 # a tick of the printer name, which follows the new default
}
trap 'stop_cups; finish' EXIT

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

# The print server appears while the program runs: the next print goes to
# its default queue, with as many pages as the file had.
start_cups
# The focus stayed on "Imprimer".
focus_key "$w" space
answer "^Message$" Return
job="$cups/spool/d00001-001"
for _ in $(seq 1 100); do [ -s "$job" ] && break; sleep 0.1; done
[ -s "$job" ] || fail "no job on the queue: $(cat "$cups/log/error_log" 2>/dev/null)"
sleep 0.5
[ "$(pdfinfo "$job" | awk '/^Pages:/ {print $2}')" = "$pages" ] || fail "the queue got other pages"
pdftotext -layout "$job" - | grep -q "Page n° $pages/$pages" || fail "no last footer on the queue"
[ "$(wc -l <"$WORK/viewer.log")" = 1 ] || fail "a PDF was written instead"

# The queue chosen in the set-up, then the server stopped: the job cannot
# reach it, and a second box says so (a job sent shows none).
focus_key "$w" Tab space
answer "^Imprimer$" Return
wait_gone "^Imprimer$"
stop_cups
focus_key "$w" shift+Tab space
answer "^Message$" Return
answer "^Message$" Return
[ ! -e "$cups/spool/d00002-001" ] || fail "printed with the server stopped"
[ "$(wc -l <"$WORK/viewer.log")" = 1 ] || fail "a PDF was written instead"

quit() {
  focus_key "$w" Escape
  wait_gone "^Liste de mes Films DVD$"
  focus_key "$main" Escape
  answer "^Message$" Return
  wait_exit 10
}
quit

# The program started with the server there: the page is placed as when the
# server appeared later (same corner of the printable area).
start_cups
start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")
focus_key "$main" F12
answer "^Message$" Return
w=$(wait_window "^Liste de mes Films DVD$")
focus_key "$w" Tab Tab space
answer "^Message$" Return
second="$cups/spool/d00002-001"
for _ in $(seq 1 100); do [ -s "$second" ] && break; sleep 0.1; done
[ -s "$second" ] || fail "no second job on the queue"
sleep 0.5
title() { pdftotext -f 1 -l 1 -bbox "$1" - | grep -m 1 '>LISTE<'; }
[ -n "$(title "$job")" ] && [ "$(title "$job")" = "$(title "$second")" ] ||
  fail "the title moved: $(title "$job") / $(title "$second")"
quit
echo "e2e impression: ok"
