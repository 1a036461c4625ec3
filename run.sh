#!/usr/bin/env bash
# Builds Filmorel and opens it on a catalogue folder.
# Usage: ./run.sh [catalogue folder]
# Without a folder, ~/Filmorel is used, created from the starter catalogue.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/deps.sh"
# Same folder as ./test.sh: only what is missing or changed is compiled.
[ -f "$here/build/CMakeCache.txt" ] || cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" --target filmorel -j"$(nproc)"
folder="${1:-$HOME/Filmorel}"
if [ $# -eq 0 ] && [ ! -e "$folder" ]; then
  cp -r "$here/share/catalogue" "$folder"
  echo "Starter catalogue created in $folder"
fi
mkdir -p "$folder"
cd "$folder"
exec "$here/build/filmorel"
