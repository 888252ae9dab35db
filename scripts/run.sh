#!/usr/bin/env bash
# Installs what is missing, builds, and starts Mardex.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec build/bin/mardex "$@"
