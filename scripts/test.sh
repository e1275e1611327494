#!/usr/bin/env bash
# Builds everything and runs every test: the full debug build with the window tests (headless),
# then the engine libraries and their tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset dev
cmake --build build/dev -j "$jobs"
ctest --test-dir build/dev --output-on-failure -j "$jobs"

cmake --preset asan
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"
