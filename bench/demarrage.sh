#!/usr/bin/env bash
# Process start-up as a user meets it, under a private X server, on a
# generated 2000-card catalogue with the starter's pictures: the program's
# own --mesurer-demarrage prints the time of its first painted card, an
# empty Qt window does the same, launched in turn from one launcher (no
# process per poll); then start-up in process and browsing with painting.
# Usage: bench/demarrage.sh [build folder, default build] [runs, default 11]
set -euo pipefail
build="$(realpath "${1:-build}")"
runs="${2:-11}"
exe="$build/filmorel" bench="$build/bench/filmorel_bench"
work="$(mktemp -d)"
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# The server picks a free display and writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"
QT_QPA_PLATFORM=offscreen "$bench" --generer "$work/catalogue" 2000 >/dev/null 2>&1
cp "$(dirname "$0")/../share/catalogue/"*.bmp "$work/catalogue/"
cp "$(dirname "$0")/../share/catalogue/jackets/jacket.bmp" "$work/catalogue/jackets/"
# The pictures' cache stays out of the user's own.
export XDG_CACHE_HOME="$work/cache"

"$bench" --demarrage "$exe" "$work/catalogue" "$runs"
"$bench" --fenetre "$work/catalogue" 2>/dev/null
