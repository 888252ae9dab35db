#!/usr/bin/env bash
# Installs what building and running Mardex needs, builds only the programs
# (no tests, benchmarks or fuzzers) into build-app/, and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
bash scripts/build.sh build-app -DMARDEX_BUILD_TESTS=OFF -DMARDEX_BUILD_BENCH=OFF
exec build-app/bin/mardex "$@"
