#!/usr/bin/env bash
# On a 1024x768 screen the main window fits, cover browser shown included (a
# folder without background pictures); made larger, its title box grows.
source "$(dirname "$0")/lib.sh"
start_x 1024x768
generate "$WORK/catalogue" 20
rm -f "$WORK/catalogue"/dvd.bmp "$WORK/catalogue"/dvd1.bmp
start_program "$WORK/catalogue"
main=$(wait_window "^FILMOREL$")

fits() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
    fail "window ${WIDTH}x${HEIGHT}+$X+$Y outside a 1024x768 screen"
}
fits && focus_key "$main" F2 && fits

# title_box: the topmost wide white box (search and bar-code boxes are narrower).
title_box() {
  import -window "$main" "$WORK/shot.png"
  convert "$WORK/shot.png" -fill black +opaque white -define connected-components:verbose=true \
    -connected-components 4 null: |
    awk '/srgb\(255,255,255\)|gray\(255\)/ { split($2, g, /[x+]/); if (g[1] > 200) print g[4], g[1] "x" g[2] }' |
    sort -n | head -n 1 | cut -d' ' -f2
}
small=$(title_box)
xdotool windowmove "$main" 0 0 windowsize "$main" 1024 768
sleep 1
large=$(title_box)
[ "${large%x*}" -gt "${small%x*}" ] && [ "${large#*x}" -gt "${small#*x}" ] ||
  fail "title box $small at first, $large at 1024x768"
echo "e2e fenetre: ok"
