#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Bellweft need.
# Quick when everything is present; refreshes the package lists only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  libzxing-dev zbar-tools libqrencode-dev
  poppler-utils
  cups cups-client cups-bsd
  python3-xlwt python3-xlrd
  libfreexl-dev
  fonts-wqy-microhei
  xvfb xauth
  gdb
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
