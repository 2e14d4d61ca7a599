#!/usr/bin/env bash
# Runs the programs under a Wayland compositor (Weston's headless back end) with Qt's wayland
# platform: each must start, show its window, write its picture and quit cleanly. Then the
# placement cases of the components' tests run there: the hint, a popup menu, a modal form
# and the in-place editor must belong to their form, and each line "wayland-expect: REQUEST"
# that they print must be among the requests the compositor received.
#   weston-test.sh OSTREL_DEMO SCREENSHOT_CHECK HOST_DEMO OSTREL_DESIGNER TEST_COMPONENTS
# Weston runs on a socket and runtime folder of its own and is stopped by its id, also when
# a check fails. OSTREL_WAYLAND_SHOTS=DIR keeps the pictures there.
set -euo pipefail
DEMO=${1:?usage: weston-test.sh OSTREL_DEMO SCREENSHOT_CHECK HOST_DEMO OSTREL_DESIGNER TEST_COMPONENTS}
CHECK=${2:?} HOST_DEMO=${3:?} DESIGNER=${4:?} TESTS=${5:?}
command -v weston >/dev/null || { echo "missing: weston (scripts/setup.sh installs it)"; exit 1; }

WORK="$(mktemp -d "${TMPDIR:-/tmp}/ostrel-weston.XXXXXX")"
WESTON=""
cleanup() {
  if [ -n "$WESTON" ]; then kill "$WESTON" 2>/dev/null || true; wait "$WESTON" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -m 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"
SOCKET="ostrel-weston-$$"
weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 --width=1280 --height=800 \
  >"$WORK/weston.log" 2>&1 &
WESTON=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break
  kill -0 "$WESTON" 2>/dev/null || { echo "weston ended:"; cat "$WORK/weston.log"; exit 1; }
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$SOCKET" ] || { echo "weston made no socket:"; cat "$WORK/weston.log"; exit 1; }

export WAYLAND_DISPLAY="$SOCKET" QT_QPA_PLATFORM=wayland
unset DISPLAY
failed=0
# Runs a program that writes a picture and quits; the picture must be there and not empty.
shot() {
  local name=$1 png="$WORK/$1.png"; shift
  if ! timeout 60 "$@" "$png" >"$WORK/$name.log" 2>&1; then
    echo "FAILED $name did not quit cleanly:"; cat "$WORK/$name.log"; failed=1; return
  fi
  if [ ! -s "$png" ]; then echo "FAILED $name wrote no picture"; failed=1; return; fi
  echo "ok     $name"
}
shot demo "$DEMO" --screenshot
# The demo's picture shows its cards, the selection and the letter bar, as under X.
if [ -s "$WORK/demo.png" ]; then
  if timeout 60 "$CHECK" "$WORK/demo.png" 1000 650; then echo "ok     the demo's picture"; else failed=1; fi
fi
shot gallery "$HOST_DEMO" --gallery --screenshot
shot designer "$DESIGNER" --screenshot

# Weston's headless back end has no seat: no window is ever active, so the cases that need
# an active form skip, and Qt makes a popup menu (which needs a pointer's grab) a window
# with its form as parent instead of a popup.
placement() {
  if ! WAYLAND_DEBUG=client timeout 120 "$TESTS" --gtest_filter='SecondaryWindowsTest.*' \
      >"$WORK/placement.log" 2>"$WORK/placement.wayland"; then
    echo "FAILED placement:"; cat "$WORK/placement.log"; failed=1; return
  fi
  local expected=0 request
  while IFS= read -r request; do
    expected=$((expected + 1))
    if ! grep -qF -- "${request#wayland-expect: }" "$WORK/placement.wayland"; then
      echo "FAILED the compositor was not asked: ${request#wayland-expect: }"; failed=1
    fi
  done < <(grep '^wayland-expect: ' "$WORK/placement.log")
  if [ "$expected" -eq 0 ]; then echo "FAILED placement printed no request to look for"; failed=1; return; fi
  echo "ok     placement ($expected requests found)"
}
placement
if [ -n "${OSTREL_WAYLAND_SHOTS:-}" ]; then mkdir -p "$OSTREL_WAYLAND_SHOTS" && cp "$WORK"/*.png "$OSTREL_WAYLAND_SHOTS"/; fi
exit $failed
