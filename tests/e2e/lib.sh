# Shared helpers of the real-window journeys: a private X server, the program
# started in a copy of a catalogue, keys typed with xdotool.
set -euo pipefail
EXE="$(realpath "$1")"
STARTER="$(realpath "$2")"
WORK="$(mktemp -d)"
DISPLAY_NUM=""
PID=""

finish() {
  [ -n "$PID" ] && kill "$PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap finish EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$WORK/program.log" ] && sed "s/^/  program: /" "$WORK/program.log" >&2; exit 1; }

start_x() {
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NUM=":$n"; break; fi
  done
  Xvfb "$DISPLAY_NUM" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY="$DISPLAY_NUM"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && return 0; xdotool getmouselocation >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "no X server"
}

# start_program FOLDER: runs the program with FOLDER as current directory.
start_program() {
  (cd "$1" && exec "$EXE") >"$WORK/program.log" 2>&1 &
  PID=$!
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
