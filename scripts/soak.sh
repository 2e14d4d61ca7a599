#!/usr/bin/env bash
# The long soak: random operations on a card view and its letter bar, over many seeds.
#
#   scripts/soak.sh [FIRST_SEED] [SEEDS] [OPERATIONS_PER_SEED] [BUILD_DIR]
#
# Defaults: seed 1, 100 seeds, 10000 operations each, build/. Each seed runs in its own
# process; a seed that fails (a broken invariant or a crash) has its operations cut down to
# the shortest sequence that still fails, which is printed and kept in soak-failures/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FIRST="${1:-1}"
SEEDS="${2:-100}"
OPS="${3:-10000}"
BUILD_DIR="${4:-$ROOT/build}"
SOAK="$BUILD_DIR/tests/soak"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

if [ ! -x "$SOAK" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja
  cmake --build "$BUILD_DIR" --target soak
fi

FAILURES="$ROOT/soak-failures"
START=$(date +%s)
FAILED=0
for ((SEED = FIRST; SEED < FIRST + SEEDS; ++SEED)); do
  if "$SOAK" --seed "$SEED" --ops "$OPS" > "/tmp/soak-$SEED.log" 2>&1; then
    rm -f "/tmp/soak-$SEED.log"
    continue
  fi
  FAILED=$((FAILED + 1))
  mkdir -p "$FAILURES"
  cp "/tmp/soak-$SEED.log" "$FAILURES/seed-$SEED.log"
  if grep -q "^Shortest sequence" "/tmp/soak-$SEED.log"; then
    # The program cut its own failure down.
    sed -n '/^FAIL/,$p' "/tmp/soak-$SEED.log"
  else
    # A crash: cut it down with each try in a child process.
    echo "FAIL seed $SEED: the soak crashed (log in $FAILURES/seed-$SEED.log)"
    "$SOAK" --dump "$FAILURES/seed-$SEED.ops" --seed "$SEED" --ops "$OPS"
    "$SOAK" --shrink "$FAILURES/seed-$SEED.ops" | tee "$FAILURES/seed-$SEED.shortest" || true
  fi
done
echo "soak: seeds $FIRST to $((FIRST + SEEDS - 1)), $((SEEDS * OPS)) operations, $(( $(date +%s) - START )) s"
echo "soak: $((SEEDS - FAILED)) passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
