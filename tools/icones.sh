#!/usr/bin/env bash
# Renders the menu icons from share/icons/filmorel.svg (needs rsvg-convert,
# Debian package librsvg2-bin). The PNGs are committed: building needs no SVG tool.
set -euo pipefail
cd "$(dirname "$0")/../share/icons"
for s in 48 64 128 256; do
  rsvg-convert -w "$s" -h "$s" filmorel.svg -o "filmorel-$s.png"
done
