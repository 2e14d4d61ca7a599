# Sourced by the scripts that drive programs on a virtual X server of their own. They keep
# the ids of what they start in the array PIDS and their scratch files in the folder WORK.

# Stops what the script started, newest first, each by its own id.
stop_started() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
    kill "${PIDS[i]}" 2>/dev/null && wait "${PIDS[i]}" 2>/dev/null || true
  done
}

# Starts Xvfb with a screen of SIZE (WIDTHxHEIGHT) on a display that no server holds,
# exports DISPLAY, and waits until the server answers.
start_virtual_x() {
  local n free=""
  for n in $(seq 90 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { free=$n; break; }
  done
  [ -n "$free" ] || { echo "no free X display" >&2; return 1; }
  export DISPLAY=":$free"
  Xvfb "$DISPLAY" -screen 0 "${1}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  PIDS+=($!)
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}
