#!/usr/bin/env bash
# Installs what building and running Mardex needs, builds only the programs
# (no tests, benchmarks or fuzzers) into build-app/, and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
bash scripts/build.sh build-app -DMARDEX_BUILD_TESTS=OFF -DMARDEX_BUILD_BENCH=OFF
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  # The window says it needs a display; the tool is not on the PATH.
  echo "The programs are in $PWD/build-app/bin: build-app/bin/mardex-report --help lists the tool's options." >&2
fi
exec build-app/bin/mardex "$@"
