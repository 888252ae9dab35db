#!/usr/bin/env bash
# Builds everything once more in build-asan/ under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole ctest suite there; any report
# fails the run. Expects the packages of `scripts/deps.sh test`.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
# Benchmarks are no tests, and the fuzz targets carry their own sanitizers:
# neither is built here. Warnings are the first pass's job: GCC's flow
# warnings misfire on the instrumented code (std::regex gives
# -Wmaybe-uninitialized there).
bash scripts/build.sh build-asan -DMARDEX_SANITIZE=ON -DMARDEX_BUILD_BENCH=OFF
cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs"
