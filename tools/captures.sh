#!/usr/bin/env bash
# Remakes the README pictures: the main window on a generated catalogue and
# the first page of the printed catalogue list.
# Usage: tools/captures.sh   (builds what it needs in build/, like ./run.sh)
set -euo pipefail
racine="$(realpath "$(dirname "$0")/..")"
build="$racine/build"
"$racine/tools/deps.sh" test
cmake -S "$racine" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target filmorel filmorel_bench -j"$(nproc)" >/dev/null
source "$racine/tests/e2e/lib.sh" "$build/filmorel" "$racine/share/catalogue" "$build/bench/filmorel_bench"
start_x
cat_dir="$WORK/catalogue"
generate "$cat_dir" 60
start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")
# The last card, with its cover.
focus_key "$main" End
sleep 0.5
import -window "$main" "$racine/docs/fenetre.png"

focus_key "$main" F12
answer "^Message$" Escape
w=$(wait_window "^Liste de mes Films DVD$")
focus_key "$w" Tab Tab space
answer "^Message$" Return
pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$(printed_pdf)" "$racine/docs/liste"
focus_key "$w" Escape
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
echo "docs/fenetre.png, docs/liste.png"
