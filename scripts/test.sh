#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then builds the Debian
# package, installs it and checks the installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j"$(nproc)")
bash scripts/package-check.sh
