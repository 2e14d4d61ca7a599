#!/usr/bin/env bash
# Runs a program that waits for the user and fails when, idle, it used more than 5% of a
# core: an event loop must sleep, not poll.  Usage: idle-check.sh SECONDS PROGRAM [ARGS...]
set -u
SECONDS_IDLE="$1"
shift
"$@" &
PID=$!
trap 'kill "$PID" 2>/dev/null' EXIT
sleep 2  # start-up work does not count
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PID/stat"; }
[ -r "/proc/$PID/stat" ] || { echo "the program ended early"; exit 1; }
BEFORE=$(cpu_ticks)
sleep "$SECONDS_IDLE"
[ -r "/proc/$PID/stat" ] || { echo "the program ended early"; exit 1; }
AFTER=$(cpu_ticks)
HZ=$(getconf CLK_TCK)
USED=$((AFTER - BEFORE))
LIMIT=$((HZ * SECONDS_IDLE * 5 / 100))
echo "idle for ${SECONDS_IDLE} s: ${USED} clock ticks used, limit ${LIMIT} (${HZ} a second)"
[ "$USED" -le "$LIMIT" ]
