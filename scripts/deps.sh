#!/usr/bin/env bash
# Installs the Debian packages Mardex needs to build, run and test, when any is missing.
set -euo pipefail
packages=(
  build-essential cmake g++ pkg-config python3
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  libgdal-dev gdal-bin poppler-utils clang
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${missing[@]}"
fi
