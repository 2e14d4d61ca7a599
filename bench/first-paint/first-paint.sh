#!/usr/bin/env bash
# The demo's time to its first paint of a file's cards, best of three, offscreen: one CSV
# row per file (file, ms after start, ms after opening). The demo stays open after it
# prints, so each run is stopped by its process id once the figure is out.
#   bench/first-paint/first-paint.sh DEMO FILE...
set -eu
DEMO="$1"; shift
Out="$(mktemp)"
trap 'rm -f "$Out"' EXIT
echo "file,ms after start,ms after opening"
for File in "$@"; do
  BestStart="" BestOpen=""
  for Run in 1 2 3; do
    : > "$Out"
    QT_QPA_PLATFORM=offscreen "$DEMO" --first-paint-time "$File" > "$Out" 2> /dev/null &
    Pid=$!
    for Tick in $(seq 1200); do  # at most two minutes
      grep -q "first paint" "$Out" && break
      kill -0 "$Pid" 2> /dev/null || break
      sleep 0.1
    done
    kill "$Pid" 2> /dev/null || true
    wait "$Pid" 2> /dev/null || true
    Line=$(grep "first paint" "$Out" || true)
    [ -n "$Line" ] || { echo "$File,no paint,"; continue 2; }
    Start=$(echo "$Line" | sed -n 's/first paint: \([0-9.]*\) ms after start.*/\1/p')
    Open=$(echo "$Line" | sed -n 's/.*ms after start, \([0-9.]*\) ms after opening.*/\1/p')
    if [ -z "$BestStart" ] || awk "BEGIN{exit !($Start < $BestStart)}"; then BestStart=$Start BestOpen=$Open; fi
  done
  echo "$(basename "$File"),$BestStart,$BestOpen"
done
