#!/usr/bin/env bash
# Builds Filmorel and its tests in build/ (the folder ./run.sh uses, so it
# has nothing left to compile afterwards) and runs every test with CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/deps.sh" test
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
