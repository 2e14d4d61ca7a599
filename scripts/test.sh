#!/usr/bin/env bash
# Builds everything and runs the whole test suite; with --sanitize, in a separate build
# directory with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

if [ "${1:-}" = "--sanitize" ]; then
  BUILD_DIR="$ROOT/build-asan"
  CMAKE_EXTRA="-DOSTREL_SANITIZE=ON -DOSTREL_BENCH=OFF ${CMAKE_EXTRA:-}"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp"
fi

configure_and_build
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)"
