#!/usr/bin/env bash
# Rests the pointer on a card of one 16 MiB line and on one of 2,000,000 lines in the demo on
# a real X server: the hint once outgrew the X server's largest request and killed the
# demo, and took a gigabyte below that. The demo must live on, under PEAK_MB of memory.
#   hover-huge-card-test.sh OSTREL_DEMO OSTREL_CARDS [PEAK_MB]   (run under xvfb-run)
set -euo pipefail
DEMO=$1 TOOL=$2 PEAK_MB=${3:-200}
WORK="$(mktemp -d "${TMPDIR:-/tmp}/ostrel-hover.XXXXXX")"
APP=""
trap '[ -n "$APP" ] && kill "$APP" 2>/dev/null; rm -rf "$WORK"' EXIT

python3 - "$WORK" <<'PY'
import json, sys
work = sys.argv[1]
with open(f"{work}/line.json", "w") as f:
    json.dump({"cards": [{"text": "One long line", "subItems": ["Note=" + "x" * (16 << 20)]}]}, f)
with open(f"{work}/lines.json", "w") as f:
    json.dump({"cards": [{"text": "Many lines", "subItems": [f"Line={i}" for i in range(2_000_000)]}]}, f)
PY

status=0
for Shape in line lines; do
  "$TOOL" from-json "$WORK/$Shape.json" "$WORK/$Shape.cards"
  "$DEMO" "$WORK/$Shape.cards" > "$WORK/demo.log" 2>&1 &
  APP=$!
  WIN=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --pid "$APP" 2>/dev/null | tail -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.2
  done
  [ -n "$WIN" ] || { echo "hover: the demo showed no window for the $Shape card"; cat "$WORK/demo.log"; exit 1; }
  sleep 1
  # On the card, right of the letter bar and below the menu bar; then a second rest, a hint
  # window made again.
  for X in 150 160; do
    xdotool mousemove --window "$WIN" "$X" 60
    sleep 2
  done
  if ! kill -0 "$APP" 2>/dev/null; then
    echo "hover: the demo died on the $Shape card"; cat "$WORK/demo.log"; status=1; APP=""; continue
  fi
  PEAK_KB=$(awk '/VmHWM/ {print $2}' "/proc/$APP/status")
  echo "hover: the $Shape card: peak $((PEAK_KB / 1024)) MB"
  [ "$PEAK_KB" -lt $((PEAK_MB * 1024)) ] || { echo "hover: over $PEAK_MB MB"; status=1; }
  kill "$APP"; wait "$APP" 2>/dev/null || true; APP=""
done
exit $status
