#!/usr/bin/env bash
# 200 cards printed to PDF with footers "Page p/n" matching its pages, then to
# a private cupsd (never the machine's) appearing while the program runs: same
# pages; server stopped: a failure box; at start-up: the same page corner.
source "$(dirname "$0")/lib.sh"
[ -x /usr/sbin/cupsd ] || fail "no cupsd (tools/deps.sh test installs cups-daemon)"
cups="$WORK/cups"
mkdir -p "$cups"/{spool,cache,state,log} && mkdir -m 777 "$cups/tmp"
for port in $(seq 18631 18731); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || break; done
export CUPS_SERVER="127.0.0.1:$port"
printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/tmp" "CacheDir $cups/cache" \
  "StateDir $cups/state" "AccessLog $cups/log/access_log" "ErrorLog $cups/log/error_log" \
  "PageLog $cups/log/page_log" "Printcap $cups/printcap" "FileDevice Yes" >"$cups/cups-files.conf"
printf '%s\n' "Listen 127.0.0.1:$port" "Browsing No" "DefaultAuthType None" "PreserveJobFiles Yes" "<Location />" \
  "Order allow,deny" "Allow all" "</Location>" "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" >"$cups/cupsd.conf"
# A raw queue: the server keeps each job's document as the program sent it.
printf '%s\n' "<DefaultPrinter Bureau>" "DeviceURI file:///dev/null" "Accepting Yes" "</DefaultPrinter>" >"$cups/printers.conf"
start_cups() {
  /usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >>"$cups/log/run.log" 2>&1 &
  CUPSD_PID=$!
  for _ in $(seq 1 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
  sleep 1 # a tick of the printer name, which follows the new default
}
stop_cups() { kill "${CUPSD_PID:-}" 2>/dev/null || true; wait "${CUPSD_PID:-}" 2>/dev/null || true; }
trap 'stop_cups; finish' EXIT
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
# job N: the Nth document the queue received.
job() {
  eventually test -s "$cups/spool/d0000$1-001" || fail "no job $1 on the queue: $(cat "$cups/log/error_log")"
  sleep 0.5 && echo "$cups/spool/d0000$1-001"
}
print_catalogue() {
  focus_key "$(wait_window "^FILMOREL$")" F12
  answer "^Message$" Return
  w=$(wait_window "^Liste de mes Films DVD$")
  focus_key "$w" Tab Tab space
  answer "^Message$" Return
}

start_x
generate "$WORK/catalogue" 200
cp -r "$WORK/catalogue" "$WORK/copie"
start_program "$WORK/catalogue"
print_catalogue
pdf="$(printed_pdf)"
n="$(pages "$pdf")"
[ "$n" -ge 2 ] || fail "200 lines on $n page(s)"
for p in $(seq 1 "$n"); do pdftotext -f "$p" -l "$p" "$pdf" - | grep -q "Page n° $p/$n" || fail "page $p: no footer $p/$n"; done

start_cups
focus_key "$w" space # the focus stayed on "Imprimer"
answer "^Message$" Return
first="$(job 1)"
[ "$(pages "$first")" = "$n" ] || fail "the queue got other pages"

# The queue chosen in the set-up, then the server stopped: a second box says so.
focus_key "$w" Tab space
answer "^Imprimer$" Return
wait_gone "^Imprimer$"
stop_cups
focus_key "$w" shift+Tab space
answer "^Message$" Return
answer "^Message$" Return
[ ! -e "$cups/spool/d00002-001" ] || fail "printed with the server stopped"
[ "$(wc -l <"$WORK/viewer.log")" = 1 ] || fail "a PDF was written instead"

kill "$PID"; wait "$PID" 2>/dev/null || true
start_cups
start_program "$WORK/copie"
print_catalogue
title() { pdftotext -f 1 -l 1 -bbox "$1" - | grep -m 1 '>LISTE<'; }
[ -n "$(title "$first")" ] && [ "$(title "$first")" = "$(title "$(job 2)")" ] ||
  fail "the title moved: $(title "$first") / $(title "$cups/spool/d00002-001")"
echo "e2e impression: ok"
