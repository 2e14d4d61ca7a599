#!/usr/bin/env bash
# Builds the fuzz targets with Clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer,
# every library instrumented) in build-fuzz/ and runs each of them in turn.
#   scripts/fuzz.sh [SECONDS]         each target for SECONDS (default 45), as CI does
#   scripts/fuzz.sh --runs N          each target for N executions (the long run: 10000000)
# Corpora grow in build-fuzz/corpus/TARGET from the seeds in fuzz/TARGET/corpus; a crash
# leaves its input in build-fuzz/artifacts/ and fails the script.
set -euo pipefail
EXTRA_PACKAGES="clang libclang-rt-14-dev llvm"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

LIMIT=(-max_total_time="${1:-45}")
[ "${1:-}" = "--runs" ] && LIMIT=(-runs="$2" -max_total_time=1800)
BUILD_DIR="$ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DOSTREL_FUZZ=ON -DOSTREL_TESTS=OFF -DOSTREL_BENCH=OFF
TARGETS=()
for Dir in "$ROOT"/fuzz/*/; do TARGETS+=("$(basename "$Dir")"); done
cmake --build "$BUILD_DIR" -j "$(nproc)" --target "${TARGETS[@]/#/fuzz-}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$BUILD_DIR/artifacts"
for Target in "${TARGETS[@]}"; do
  Corpus="$BUILD_DIR/corpus/$Target"
  mkdir -p "$Corpus"
  Seeds=()
  [ -d "$ROOT/fuzz/$Target/corpus" ] && Seeds=("$ROOT/fuzz/$Target/corpus")
  echo "== fuzz-$Target"
  Status=0
  "$BUILD_DIR/fuzz/$Target/fuzz-$Target" "${LIMIT[@]}" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$BUILD_DIR/artifacts/$Target-" "$Corpus" "${Seeds[@]}" > "$BUILD_DIR/$Target.log" 2>&1 || Status=$?
  grep -E '^#[0-9]+ +DONE|^stat::|^Done|ERROR|SUMMARY' "$BUILD_DIR/$Target.log" || true
  [ "$Status" -eq 0 ] || { tail -40 "$BUILD_DIR/$Target.log"; echo "fuzz-$Target failed; see $BUILD_DIR/artifacts/"; exit 1; }
done
