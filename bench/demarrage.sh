#!/usr/bin/env bash
# Process start-up as a user meets it, on a generated 2000-card catalogue
# under a private X server: launch to window on screen, launch to the first
# key answered (F1 opens the About box only once the first card is shown),
# against an empty Qt window launched and asked the same way; and the peak
# memory.
# Usage: bench/demarrage.sh [build folder, default build] [runs, default 7]
set -euo pipefail
build="$(realpath "${1:-build}")"
runs="${2:-7}"
exe="$build/filmorel" bench="$build/bench/filmorel_bench"
work="$(mktemp -d)"
pid="" xvfb=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

for n in $(seq 90 140); do [ -e "/tmp/.X$n-lock" ] || { export DISPLAY=":$n"; break; }; done
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
QT_QPA_PLATFORM=offscreen "$bench" --generer "$work/catalogue" 2000 >/dev/null 2>&1
cp "$(dirname "$0")/../share/catalogue/"*.bmp "$work/catalogue/"

now() { date +%s%N; }
# attendre TITLE: polls every 10 ms (xdotool's own --sync waits half a second).
attendre() {
  local w
  until w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$w" ]; do sleep 0.01; done
  echo "$w"
}
ms() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", (b - a) / 1e6}'; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

# one TITLE CMD...: prints "visible_ms answered_ms peak_kB" for one launch.
one() {
  local titre="$1"; shift
  local t0 t1 t2 w memoire
  t0=$(now)
  (cd "$work/catalogue" && exec "$@") >/dev/null 2>&1 &
  pid=$!
  w=$(attendre "$titre")
  t1=$(now)
  # A key sent before the window takes the focus is lost: send it again.
  until xdotool search --onlyvisible --name "^A propos de" >/dev/null 2>&1; do
    xdotool windowfocus "$w" 2>/dev/null || true
    xdotool key F1
    sleep 0.01
  done
  t2=$(now)
  memoire=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
  echo "$(ms "$t0" "$t1") $(ms "$t0" "$t2") $memoire"
}

: >"$work/vide" ; : >"$work/filmorel"
for _ in $(seq 1 "$runs"); do
  one "^VIDE$" "$bench" --fenetre-vide >>"$work/vide"
  one "^FILMOREL$" "$exe" >>"$work/filmorel"
done
vide=$(cut -d' ' -f1 "$work/vide" | median)
videTouche=$(cut -d' ' -f2 "$work/vide" | median)
visible=$(cut -d' ' -f1 "$work/filmorel" | median)
premiere=$(cut -d' ' -f2 "$work/filmorel" | median)
memoire=$(cut -d' ' -f3 "$work/filmorel" | sort -n | tail -n 1)
echo "fenetre Qt vide a l'ecran: median $vide ms ($runs runs)"
echo "fenetre Qt vide jusqu'a la premiere touche traitee: median $videTouche ms ($runs runs)"
echo "Filmorel (2000 fiches) a l'ecran: median $visible ms ($runs runs)"
echo "Filmorel jusqu'a la premiere touche traitee: median $premiere ms ($runs runs)"
awk -v a="$premiere" -v b="$videTouche" 'BEGIN {printf "demarrage / fenetre vide: %.2fx\n", a / b}'
awk -v m="$memoire" 'BEGIN {printf "memoire maximale de Filmorel apres demarrage: %.1f Mo\n", m / 1024}' 
