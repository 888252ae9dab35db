#!/usr/bin/env bash
# Configures and builds everything into build/ (executables in build/bin/).
# MARDEX_BUILD_DIR names another build folder; arguments go to cmake's configure.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${MARDEX_BUILD_DIR:-build}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$dir-configure.log" || { cat "$dir-configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)"
