#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing; sudo only when not root.
set -euo pipefail
PACKAGES=(cmake g++ make libgtest-dev qt6-base-dev qt6-translations-l10n
          xvfb xauth xdotool poppler-utils imagemagick fonts-dejavu-core)
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
