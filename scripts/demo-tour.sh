#!/usr/bin/env bash
# Drives the demo on a virtual X server as a person would, with real mouse and keys, and
# writes a picture after each step into $BUILD_DIR/tour/: keys.png (a card selected by a
# click, then moved by Down Down Right), divider.png (the first divider dragged 60 pixels
# to the right), editing.png (a phone number being edited in place) and hint.png (the
# hint of the card under the pointer).
set -euo pipefail
EXTRA_PACKAGES="imagemagick" source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

[ "${1:-}" = "--on-this-display" ] || configure_and_build --target ostrel-demo
OUT="$BUILD_DIR/tour"
mkdir -p "$OUT"

tour() {
  export QT_QPA_PLATFORM=xcb
  "$BUILD_DIR/apps/ostrel-demo/ostrel-demo" &
  local demo=$!
  trap 'kill $demo 2>/dev/null || true' RETURN
  local win=""
  for _ in $(seq 50); do
    win=$(xdotool search --pid "$demo" 2>/dev/null | tail -1 || true)
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "demo-tour: the demo showed no window" >&2; return 1; }
  sleep 1
  # Points in the window: the cards start right of the letter bar, below the menu bar.
  at() {
    local x=$1 y=$2
    shift 2
    xdotool mousemove --window "$win" "$x" "$y" "$@"
  }
  shot() { sleep 0.5; import -window root "$OUT/$1"; }

  at 150 36 click 1                 # the caption of the first card
  sleep 0.5
  xdotool key Down Down Right
  shot keys.png

  at 264 300                        # the divider right of the first column
  sleep 0.2
  xdotool mousedown 1
  for x in 270 280 290 300 310 324; do sleep 0.1; at "$x" 300; done
  sleep 0.2
  xdotool mouseup 1
  shot divider.png

  at 150 56 click 1                 # select the second card, which has phone numbers
  sleep 1                           # apart enough not to make a double click
  at 200 72 click 1                 # its first phone number: the editor opens on it
  sleep 0.3
  xdotool key End type "99"
  shot editing.png
  xdotool key Escape

  at 420 200                        # rest on a card until its hint shows
  sleep 1.5
  shot hint.png
}

if [ "${1:-}" = "--on-this-display" ]; then
  tour
else
  # The script again, on a server of its own.
  xvfb-run -a -s "-screen 0 1280x800x24" "$0" --on-this-display
  echo "demo-tour: pictures in $OUT"
fi
