#!/usr/bin/env bash
# Right-clicks a card view in the form designer, chooses Items Editor in its menu and closes
# the dialog, RUNS times (50 by default), taking turns with Escape, a click on Cancel and a
# click on OK: with real mouse and keys (xdotool) on a virtual X server of its own with a
# window manager (openbox). Fails as soon as the designer dies or a step does not happen.
# Usage: designer-menu-soak.sh [--no-build] [RUNS]    (BUILD_DIR as for the other scripts;
# with --no-build, DESIGNER may name the program, as CTest's short run does)
set -euo pipefail

RUNS=50
if [ "${1:-}" = "--no-build" ]; then
  shift
  BUILD_DIR="${BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
else
  source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
  configure_and_build --target ostrel-designer
fi
RUNS="${1:-$RUNS}"
DESIGNER="${DESIGNER:-$BUILD_DIR/apps/ostrel-designer/ostrel-designer}"

WORK=$(mktemp -d)
PIDS=()
source "$(dirname "${BASH_SOURCE[0]}")/virtual-x.sh"
cleanup() {
  stop_started
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

start_virtual_x 1280x800
export QT_QPA_PLATFORM=xcb
openbox >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)
sleep 1

# A form holding one card view of 400 x 300 pixels.
cp "$(dirname "${BASH_SOURCE[0]}")/../tests/support/one-card-view.dfm" "$WORK/form.dfm"
"$DESIGNER" "$WORK/form.dfm" >"$WORK/designer.log" 2>&1 &
DESIGNER_PID=$!
PIDS+=("$DESIGNER_PID")

fail() {
  echo "designer-menu-soak: run $1: $2" >&2
  kill -0 "$DESIGNER_PID" 2>/dev/null || { wait "$DESIGNER_PID" || echo "the designer ended with status $?" >&2; }
  tail -20 "$WORK/designer.log" >&2
  exit 1
}
# The visible window whose title matches, waiting up to five seconds; empty when none.
window_named() {
  local w
  for _ in $(seq 50); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.1
  done
}

WIN=$(window_named "Ostrel Designer")
[ -n "$WIN" ] || fail 0 "the designer showed no window"
sleep 0.5

# In the designer's window: the card view sits in the designed form, right of the inspector.
CARDS_X=515 CARDS_Y=250
# In the dialog: the centres of OK and Cancel, at the bottom left of its client area.
OK_X=42 CANCEL_X=122 BUTTONS_Y=344
WAYS=(Escape Cancel OK)
for run in $(seq 1 "$RUNS"); do
  way=${WAYS[$(((run - 1) % 3))]}
  xdotool windowactivate --sync "$WIN" 2>/dev/null || true
  xdotool mousemove --window "$WIN" "$CARDS_X" "$CARDS_Y" click 3
  sleep 0.3
  xdotool mousemove_relative 30 12 click 1  # the menu's one item, Items Editor
  DIALOG=$(window_named "Items Editor")
  [ -n "$DIALOG" ] || fail "$run" "the items editor did not open"
  sleep 0.2
  case $way in
    Escape) xdotool key --clearmodifiers Escape ;;
    Cancel) xdotool mousemove --window "$DIALOG" "$CANCEL_X" "$BUTTONS_Y" click 1 ;;
    OK) xdotool mousemove --window "$DIALOG" "$OK_X" "$BUTTONS_Y" click 1 ;;
  esac
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "Items Editor" >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "Items Editor" >/dev/null 2>&1 && fail "$run" "$way did not close the items editor"
  # Pointer events right after the dialog has gone, where the crash used to strike.
  xdotool mousemove --window "$WIN" $((CARDS_X + 20)) $((CARDS_Y + 20)) mousemove --window "$WIN" "$CARDS_X" "$CARDS_Y"
  sleep 0.3
  kill -0 "$DESIGNER_PID" 2>/dev/null || fail "$run" "the designer died after $way"
done
echo "designer-menu-soak: the designer survived $RUNS runs (Escape, Cancel and OK in turn)"
