#!/usr/bin/env bash
# Builds the Debian package from build/, installs it with apt-get, checks the
# installed programs and desktop files against the build tree, and removes
# the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

rm -f build/mardex_*.deb
(cd build && cpack -G DEB > cpack.log 2>&1) || { cat build/cpack.log; exit 1; }
deb="$(ls build/mardex_*.deb)"
version="$(dpkg-deb -f "$deb" Version)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "$deb: version $version"
echo "Depends: $depends"
# The library dependencies come from dpkg-shlibdeps.
grep -q 'libqt6widgets6' <<< "$depends" || { echo "package-check: no Qt library among the dependencies" >&2; exit 1; }
# The design-file module the window and the tool load for stick-up sheets.
module="$(dpkg-deb -c "$deb" | grep -o '\./usr/lib/.*mardex/mardex-gdal\.so$')" \
  || { echo "package-check: no mardex-gdal.so under /usr/lib/.../mardex in the package" >&2; exit 1; }
echo "Module: ${module#.}"

DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "./$deb"
status=0
# The window's stick-up drawing runs from its widget test against the
# installed module.
window_test=()
[ -x build/bin/tst_frmMainDesktop ] && window_test=(--window-test build/bin/tst_frmMainDesktop)
python3 tests/tools/check_installed.py build "$version" tests/data/cases/worked_example.mdx \
  tests/data/log_cases/decide_incremental_decimal_text.log "${window_test[@]}" || status=$?
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y -q mardex > /dev/null
exit $status
