#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in build/ with
# warnings as errors, once more in build-asan/ under AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs="$(nproc)"

bash scripts/build.sh -DMARDEX_WERROR=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# The sanitizer pass. Benchmarks are no tests, and the fuzz targets carry
# their own sanitizers: neither is built there.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
MARDEX_BUILD_DIR=build-asan bash scripts/build.sh -DMARDEX_WERROR=ON -DMARDEX_SANITIZE=ON -DMARDEX_BUILD_BENCH=OFF
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
