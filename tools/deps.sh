#!/usr/bin/env bash
# Installs the Debian packages Filmorel needs, only those that are missing;
# sudo only when not root.
# Usage: tools/deps.sh [run|paquet|test]
#   run  (default) what building and running the program need (./run.sh)
#   paquet         that, plus what building the Debian package needs (tools/paquet.sh)
#   test           all that, plus what only the tests need (./test.sh)
set -euo pipefail
RUN=(cmake g++ make qt6-base-dev qt6-translations-l10n fonts-dejavu-core fonts-liberation2
  fonts-urw-base35 libcups2-dev libfontconfig-dev)
PAQUET=(dpkg-dev)
TEST=(libgtest-dev xvfb xauth x11-utils xdotool openbox poppler-utils imagemagick cups-daemon
  desktop-file-utils appstream lintian)
PACKAGES=("${RUN[@]}")
[ "${1:-run}" != run ] && PACKAGES+=("${PAQUET[@]}")
[ "${1:-run}" = test ] && PACKAGES+=("${TEST[@]}")
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
