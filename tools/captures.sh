#!/usr/bin/env bash
# Remakes the README pictures: the main window on a generated catalogue at
# 1280x800 and the first page of the printed catalogue list; also the screen
# at 1024x768, 1920x1080 and 1920x1080 with a scale factor of 1.5, in
# build/captures/, to look at.
# Usage: tools/captures.sh   (builds what it needs in build/, like ./run.sh)
set -euo pipefail
racine="$(realpath "$(dirname "$0")/..")"
build="$racine/build"
"$racine/tools/deps.sh" test
cmake -S "$racine" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target filmorel filmorel_bench -j"$(nproc)" >/dev/null
source "$racine/tests/e2e/lib.sh" "$build/filmorel" "$racine/share/catalogue" "$build/bench/filmorel_bench"
mkdir -p "$build/captures"
cat_dir="$WORK/catalogue"
generate "$cat_dir" 60

# ecran SIZE FILE [SCALE]: the last card, its window, then the whole screen.
ecran() {
  start_x "$1"
  rm -rf "$WORK/config" # each size starts as a first run
  QT_SCALE_FACTOR="${3:-1}" start_program "$cat_dir"
  main=$(wait_window "^FILMOREL$")
  focus_key "$main" End
  sleep 0.5
  import -window "$main" "$2"
  import -window root "$build/captures/ecran-$1${3:+-x$3}.png"
}
quitter() {
  focus_key "$main" Escape
  answer "^Message$" Return
  wait_exit 10
  stop_x
}

for taille in 1024x768 1920x1080; do
  ecran "$taille" "$build/captures/fenetre-$taille.png"
  quitter
done
ecran 1920x1080 "$build/captures/fenetre-1920x1080-x1.5.png" 1.5
quitter

ecran 1280x800 "$racine/docs/fenetre.png"
focus_key "$main" F12
answer "^Message$" Escape
w=$(wait_window "^Liste de mes Films DVD$")
import -window "$w" "$build/captures/liste-fenetre.png"
focus_key "$w" Tab Tab space
answer "^Message$" Return
pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$(printed_pdf)" "$racine/docs/liste"
focus_key "$w" Escape
quitter
echo "docs/fenetre.png, docs/liste.png, build/captures/"
