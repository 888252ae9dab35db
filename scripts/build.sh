#!/usr/bin/env bash
# Configures and builds into a build folder (executables in <folder>/bin/).
#   build.sh [FOLDER [CMAKE OPTIONS...]]   FOLDER defaults to build/
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-build}"
shift || true
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
mkdir -p "$folder"
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" > "$folder/configure.log" 2>&1 \
  || { cat "$folder/configure.log"; exit 1; }
cmake --build "$folder" -j"$(nproc)"
