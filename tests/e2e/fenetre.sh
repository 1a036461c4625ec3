#!/usr/bin/env bash
# The main window on a 1024x768 screen: it fits, with its card and its cover
# browser, in a folder without background pictures (the first run takes what
# the card needs, at most the screen); made larger, its title box grows.
source "$(dirname "$0")/lib.sh"
start_x 1024x768
cat_dir="$WORK/catalogue"
generate "$cat_dir" 20
rm -f "$cat_dir"/dvd.bmp "$cat_dir"/dvd1.bmp
start_program "$cat_dir"
main=$(wait_window "^FILMOREL$")

fits() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
    fail "window ${WIDTH}x${HEIGHT}+$X+$Y outside a 1024x768 screen"
}
fits
# Editing shows the cover browser: still inside.
focus_key "$main" F2
fits

# title_box: size of the title box, the topmost wide white box of the window
# (the search and bar-code boxes above it are narrower).
title_box() {
  import -window "$main" "$WORK/shot.png"
  convert "$WORK/shot.png" -fill black +opaque white -define connected-components:verbose=true \
    -connected-components 4 null: |
    awk '/srgb\(255,255,255\)|gray\(255\)/ { split($2, g, /[x+]/); if (g[1] > 200) print g[4], g[1] "x" g[2] }' |
    sort -n | head -n 1 | cut -d' ' -f2
}
small=$(title_box)
xdotool windowmove "$main" 0 0
xdotool windowsize "$main" 1024 768
sleep 1
large=$(title_box)
[ -n "$small" ] && [ -n "$large" ] || fail "no title box found ($small / $large)"
[ "${large%x*}" -gt "${small%x*}" ] && [ "${large#*x}" -gt "${small#*x}" ] ||
  fail "title box $small at first, $large at 1024x768"

# Esc cancels the edit, Esc again quits.
focus_key "$main" Escape
answer "^Message$" Return
focus_key "$main" Escape
answer "^Message$" Return
wait_exit 10
