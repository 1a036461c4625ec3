#!/usr/bin/env bash
# Builds Filmorel and opens it on a catalogue folder.
# Usage: ./run.sh [catalogue folder]
# Without a folder: the current folder when it holds a dvd.ini, else
# ~/Filmorel (made from the starter catalogue the first time).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/deps.sh"
# Same folder as ./test.sh: only what is missing or changed is compiled.
[ -f "$here/build/CMakeCache.txt" ] || cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" --target filmorel -j"$(nproc)"
exec "$here/build/filmorel" "$@"
