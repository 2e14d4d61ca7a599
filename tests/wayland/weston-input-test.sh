#!/usr/bin/env bash
# Drives the form designer under a Wayland compositor by real mouse and keys: Weston's X11
# back end runs in a virtual X server of its own, so that xdotool's input reaches Weston's
# seat and, through it, the designer on Qt's wayland platform. RUNS times (3 by default) a
# right click on a card view must open its menu at the pointer, the menu's Items Editor must
# open the modal items editor, Escape must close it and leave the screen as it was, and the
# designer must live on. Weston places windows where it likes, so the designer's window is
# found on the screen, and each step is seen in what changed on it.
#   weston-input-test.sh OSTREL_DESIGNER SCREEN_PICTURE [RUNS]
# Everything started here is stopped by its id, also when a check fails.
set -euo pipefail
DESIGNER=${1:?usage: weston-input-test.sh OSTREL_DESIGNER SCREEN_PICTURE [RUNS]}
PICTURE=${2:?} RUNS=${3:-3}
for tool in weston Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/setup.sh installs it)"; exit 1; }
done

WORK="$(mktemp -d "${TMPDIR:-/tmp}/ostrel-weston-input.XXXXXX")"
PIDS=()
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual-x.sh"
cleanup() {
  stop_started
  [ -n "${OSTREL_WAYLAND_SHOTS:-}" ] && cp "$WORK"/*.png "$OSTREL_WAYLAND_SHOTS"/ 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

start_virtual_x 1300x820

# No panel and no animations: the screen changes only where the programs draw.
mkdir -m 700 "$WORK/run"
cat >"$WORK/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff203040
animation=none
close-animation=none
startup-animation=none
focus-animation=none
EOF
SOCKET="ostrel-weston-input-$$"
XDG_RUNTIME_DIR="$WORK/run" weston --config="$WORK/weston.ini" --backend=x11-backend.so --use-pixman \
  --socket="$SOCKET" --width=1280 --height=800 >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do [ -S "$WORK/run/$SOCKET" ] && break; sleep 0.1; done
[ -S "$WORK/run/$SOCKET" ] || { echo "weston made no socket:"; cat "$WORK/weston.log"; exit 1; }

shot() { sleep "${2:-0.6}"; "$PICTURE" grab "$WORK/$1.png"; }
changed() { "$PICTURE" diff "$WORK/$1.png" "$WORK/$2.png"; }
# Weston draws the pointer into the picture, so pictures that are compared are taken with
# the pointer at the same place.
point() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousemove "$1" "$2"
}
fail() {
  echo "FAIL: $*"
  tail -5 "$WORK/designer.log" 2>/dev/null || true
  exit 1
}

# The X screen is a little larger than Weston's window: the pointer enters that window from
# outside, without which Weston takes no pointer input from it.
xdotool mousemove 1295 815
point 1270 790
shot background 1
# A form holding one card view of 400 x 300 pixels.
cp "$(dirname "${BASH_SOURCE[0]}")/../../tests/support/one-card-view.dfm" "$WORK/form.dfm"
env -u DISPLAY WAYLAND_DISPLAY="$SOCKET" XDG_RUNTIME_DIR="$WORK/run" QT_QPA_PLATFORM=wayland \
  "$DESIGNER" "$WORK/form.dfm" >"$WORK/designer.log" 2>&1 &
DESIGNER_PID=$!
PIDS+=("$DESIGNER_PID")
shot shown 4
read -r WIN_X WIN_Y WIN_W WIN_H <<<"$(changed background shown)" || fail "the designer showed no window"
[ "${WIN_W:-0}" -gt 600 ] && [ "${WIN_H:-0}" -gt 400 ] || fail "the designer's window is $WIN_W x $WIN_H"
# The card view's middle: client point (515, 250) as under X, inside Qt's window frame of
# 3 pixels at the sides and 30 above.
CARDS_X=$((WIN_X + 3 + 515)) CARDS_Y=$((WIN_Y + 30 + 250))

# The card view is selected first, so that a right click on it changes nothing but the menu.
point "$CARDS_X" "$CARDS_Y"
xdotool click 1
for run in $(seq 1 "$RUNS"); do
  point "$CARDS_X" "$CARDS_Y"
  shot before
  xdotool click 3
  shot menu
  read -r MENU_X MENU_Y MENU_W MENU_H <<<"$(changed before menu)" || fail "run $run: the menu did not open"
  [ "$MENU_X" -ge $((CARDS_X - 2)) ] && [ "$MENU_X" -le $((CARDS_X + 24)) ] &&
    [ "$MENU_Y" -ge $((CARDS_Y - 2)) ] && [ "$MENU_Y" -le $((CARDS_Y + 24)) ] ||
    fail "run $run: the menu opened at $MENU_X,$MENU_Y (${MENU_W}x$MENU_H), the pointer was at $CARDS_X,$CARDS_Y"
  # Its one item, Items Editor.
  point $((MENU_X + MENU_W / 2)) $((MENU_Y + MENU_H / 2))
  xdotool click 1
  point "$CARDS_X" "$CARDS_Y"
  shot editor 1.5
  read -r _ _ DLG_W DLG_H <<<"$(changed before editor)" || fail "run $run: the items editor did not open"
  [ "$DLG_W" -gt 300 ] && [ "$DLG_H" -gt 300 ] || fail "run $run: what opened is only $DLG_W x $DLG_H"
  kill -0 "$DESIGNER_PID" 2>/dev/null || fail "run $run: the designer died while the editor was open"
  xdotool key Escape
  shot after 1
  [ "$(changed before after)" = none ] || fail "run $run: Escape left the screen changed at $(changed before after)"
  kill -0 "$DESIGNER_PID" 2>/dev/null || fail "run $run: the designer died after the editor closed"
  echo "ok     run $run: menu at +$((MENU_X - CARDS_X)),+$((MENU_Y - CARDS_Y)) of the pointer, editor ${DLG_W}x$DLG_H"
done
