#!/usr/bin/env bash
# Installs the Debian packages Mardex needs, when any is missing:
#   deps.sh run   building and running the programs only
#   deps.sh test  (default) also the tests, benchmarks (an X server for the
#                 window-start script), fuzzers and the
#                 install, package and printing checks
set -euo pipefail
set_name="${1:-test}"
run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation
  libgdal-dev libpugixml-dev libfontconfig-dev
  coinor-libclp-dev
)
test_packages=(
  python3 python3-scipy libgtest-dev libgmock-dev libbenchmark-dev clang valgrind
  gdal-bin poppler-utils
  desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info
  dpkg-dev file
  cups cups-bsd printer-driver-cups-pdf
  xvfb dbus-daemon
)
case "$set_name" in
  run) packages=("${run_packages[@]}"); apt_options=(--no-install-recommends) ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}"); apt_options=() ;;
  *) echo "usage: deps.sh [run|test]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${apt_options[@]}" "${missing[@]}"
fi
