# Shared helpers of the real-window journeys: a private X server, the program
# started in a copy of a catalogue, keys typed with xdotool.
set -euo pipefail
shopt -s inherit_errexit
EXE="$(realpath "$1")"
STARTER="$(realpath "$2")"
BENCH="${3:+$(realpath "$3")}"
WORK="$(mktemp -d)"
PID=""

# KEEP=1 leaves the work folder (catalogues, program log) for a look after a failure.
finish() {
  for p in "$PID" "${WM_PID:-}" "${XVFB_PID:-}"; do [ -z "$p" ] || kill "$p" 2>/dev/null || true; done
  [ -n "${KEEP:-}" ] || { chmod -R u+w "$WORK" 2>/dev/null; rm -rf "$WORK"; }
}
trap finish EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$WORK/program.log" ] && sed "s/^/  program: /" "$WORK/program.log" >&2; exit 1; }

# start_x [WIDTHxHEIGHT]: a private X server, 1280x800 unless told. The
# server picks a free display number itself and writes it once it listens:
# no two journeys, nor a server that is shutting down, share a number.
start_x() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x800}x24" -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$WORK/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$WORK/display" ] || fail "no X server"
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  # A window manager, so that focus comes back to the main window when a box
  # closes, as on a desktop. Ready once it names itself on the root window.
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 1 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null && return 0
    sleep 0.1
  done
  fail "no window manager: $(cat "$WORK/openbox.log")"
}

# start_program FOLDER: runs the program with FOLDER as current directory.
# The desktop's PDF viewer is replaced by one that notes the file it is given;
# the window's size and place are kept in the work folder, not the user's.
start_program() {
  mkdir -p "$WORK/bin"
  printf '#!/bin/sh\necho "$1" >>"%s/viewer.log"\n' "$WORK" >"$WORK/bin/xdg-open"
  chmod +x "$WORK/bin/xdg-open"
  (cd "$1" && PATH="$WORK/bin:$PATH" XDG_CONFIG_HOME="$WORK/config" exec "$EXE") >"$WORK/program.log" 2>&1 &
  PID=$!
}

# start_program_ro FOLDER: the same, on a view of FOLDER that refuses every
# write (a read-only mount when root, who ignores permissions).
start_program_ro() {
  if [ "$(id -u)" -eq 0 ]; then
    (cd / && XDG_CONFIG_HOME="$WORK/config" exec unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && cd "$1" && exec "$2"' \
      sh "$1" "$EXE") >"$WORK/program.log" 2>&1 &
    PID=$!
  else
    chmod -R a-w "$1"
    start_program "$1"
  fi
}

# generate FOLDER N: a catalogue of N generated cards (covers for the first
# 50) with the starter's background pictures.
generate() {
  [ -n "$BENCH" ] || fail "no generator given"
  QT_QPA_PLATFORM=offscreen "$BENCH" --generer "$1" "$2" >/dev/null 2>&1 || fail "generator failed"
  cp "$STARTER"/*.bmp "$1/"
  cp "$STARTER/jackets/jacket.bmp" "$1/jackets/"
}

# wait_window NAME: waits for a visible window whose title matches, prints its id.
wait_window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) || fail "no window '$1'"
  echo "$id"
}

# focus_key WINDOW KEYS...: focuses the window and sends the keys.
focus_key() {
  local w="$1"; shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  sleep 0.2
  xdotool key --delay 80 "$@"
  sleep 0.4
}

# answer TITLE KEYS...: the window titled TITLE gets the keys.
answer() { local w; w=$(wait_window "$1") || exit 1; shift; focus_key "$w" "$@"; }

# new_card MAIN EAN TITLE: a card typed from the search box, created, saved.
new_card() {
  type_text "$1" "$2"
  answer "^Message$" Return
  type_text "$1" "$3"
  focus_key "$1" F5
}

# no_box WHAT: a moment after WHAT, no box is open and the program still runs.
no_box() {
  sleep 1
  ! xdotool search --onlyvisible --name '^(Message|Recherche)$' >/dev/null 2>&1 || fail "a box is open after $1"
  kill -0 "$PID" 2>/dev/null || fail "the program ended after $1"
}

# wait_gone TITLE: waits until no visible window has that title.
wait_gone() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$1' still open"
}

# printed_pdf: the PDF last handed to the viewer.
printed_pdf() {
  for _ in $(seq 1 100); do
    [ -s "$WORK/viewer.log" ] && { tail -n 1 "$WORK/viewer.log" | sed 's|^file://||'; return 0; }
    sleep 0.1
  done
  fail "nothing printed"
}

# field FILE RECORD OFFSET WIDTH: a card's field in UTF-8, trailing blanks
# and NULs removed (records count from 1).
field() {
  dd if="$1" bs=1 skip=$(( ($2 - 1) * 1017 + $3 )) count="$4" 2>/dev/null | tr -d '\0' |
    iconv -f CP1252 -t UTF-8 | sed 's/ *$//'
  echo
}

# entry FILE N: the number of the card the Nth index entry points to.
entry() {
  od -An -t d2 -j $(( ($2 - 1) * 125 + 123 )) -N 2 --endian=little "$1" | tr -d ' '
}

# eventually CMD...: CMD succeeds within five seconds.
eventually() { for _ in $(seq 1 50); do "$@" && return 0; sleep 0.1; done; return 1; }
# count_is FOLDER N: dvd.ini announces N cards.
count_is() { [ "$(head -n 1 "$1/dvd.ini" | tr -d '\r')" = "$2" ]; }

type_text() {
  local w="$1"; shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool type --delay 60 "$*"
  sleep 0.3
}

# wait_exit SECONDS: the program must end by itself.
wait_exit() {
  for _ in $(seq 1 $(( $1 * 10 ))); do
    kill -0 "$PID" 2>/dev/null || { PID=""; return 0; }
    sleep 0.1
  done
  fail "the program did not end"
}
