#!/usr/bin/env bash
# Builds Filmorel from scratch in build-test/ and runs every test with CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/deps.sh" test
rm -rf "$here/build-test"
cmake -S "$here" -B "$here/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build-test" -j"$(nproc)"
cd "$here/build-test"
ctest --output-on-failure -j"$(nproc)" "$@"
