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
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation fonts-dejavu-core
  libgdal-dev libpugixml-dev libfontconfig-dev libboost-dev help2man
  coinor-libclp-dev
)
test_packages=(
  python3 python3-scipy libgtest-dev libgmock-dev libbenchmark-dev clang valgrind ccache
  gdal-bin poppler-utils
  desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info
  dpkg-dev file man-db
  xvfb dbus-daemon
)
# The printing tests' private CUPS daemon: without recommends, so that
# nothing (cups-browsed) adds printers to the machine.
print_packages=(cups cups-bsd cups-filters)
case "$set_name" in
  run) packages=("${run_packages[@]}"); apt_options=(--no-install-recommends) ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}"); apt_options=() ;;
  *) echo "usage: deps.sh [run|test]" >&2; exit 2 ;;
esac
# Installs the missing ones among the packages named, with apt-get's options.
install_missing() {
  local -a options=("${@:2:$1}")
  shift "$(( $1 + 1 ))"
  local -a missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  [ -n "${updated:-}" ] || { $sudo_cmd apt-get update -q; updated=1; }
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${options[@]}" "${missing[@]}"
}
install_missing "${#apt_options[@]}" "${apt_options[@]}" "${packages[@]}"
[ "$set_name" = test ] && install_missing 1 --no-install-recommends "${print_packages[@]}"
exit 0
