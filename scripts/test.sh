#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test,
# runs them all again under the sanitizers (scripts/test-sanitizers.sh; skipped
# with MARDEX_SANITIZER_PASS=0), then builds the Debian package, installs it and
# checks the installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
jobs="$(nproc)"

bash scripts/build.sh build -DMARDEX_WERROR=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

if [ "${MARDEX_SANITIZER_PASS:-1}" = 1 ]; then
  bash scripts/test-sanitizers.sh
fi

bash scripts/package-check.sh
