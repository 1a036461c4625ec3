#!/usr/bin/env bash
# Builds the Debian package in build-deb/ and installs it with apt.
# Usage: tools/paquet.sh [--sans-installer]   (--sans-installer: build only)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/deps.sh" paquet
# Only the program and its documents: the package needs neither tests nor benchmark.
cmake -S "$here" -B "$here/build-deb" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$here/build-deb" -j"$(nproc)" --target filmorel filmorel_docs
rm -f "$here"/build-deb/filmorel_*.deb
(cd "$here/build-deb" && cpack -G DEB)
deb=("$here"/build-deb/filmorel_*.deb)
[ "${1:-}" = --sans-installer ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get install -y --reinstall "${deb[0]}"
