#!/usr/bin/env bash
# Reads the accessible tree of the running demo through AT-SPI, as a screen reader would,
# and checks it (atspi_check.py): cards, their lines, the letter buttons, the focus and
# selection events of a key press, and the in-place editor.
#   atspi-test.sh OSTREL_DEMO OSTREL_CARDS
# Needs xvfb-run, dbus-run-session, at-spi2-core, python3-pyatspi and xdotool. Everything
# it starts runs on a private X display and private buses, and is stopped by its id.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [ "${1:-}" = "--inside" ]; then
  # Under xvfb-run and dbus-run-session: the accessibility bus, the demo, the check. The
  # session bus starts the accessibility bus on the first request and ends it with itself.
  shift
  DEMO=$1 CARDS_FILE=$2
  APP=""
  trap '[ -n "$APP" ] && kill "$APP" 2>/dev/null; wait' EXIT
  for _ in $(seq 100); do
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
      --method org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
  done
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$DEMO" "$CARDS_FILE" >"$WORK/demo.log" 2>&1 &
  APP=$!
  /usr/bin/python3 "$HERE/atspi_check.py" "$APP" || { echo "demo's output:"; cat "$WORK/demo.log"; exit 1; }
  exit 0
fi

DEMO=${1:?usage: atspi-test.sh OSTREL_DEMO OSTREL_CARDS}
TOOL=${2:?usage: atspi-test.sh OSTREL_DEMO OSTREL_CARDS}
for need in xvfb-run dbus-run-session xdotool gdbus /usr/libexec/at-spi-bus-launcher; do
  command -v "$need" >/dev/null || { echo "missing: $need (scripts/setup.sh installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing: python3-pyatspi (scripts/setup.sh installs it)"; exit 1; }

WORK="$(mktemp -d "${TMPDIR:-/tmp}/ostrel-atspi.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
mkdir -m 700 "$WORK/run" "$WORK/config"
# Private settings: turning accessibility on must not reach the user's own settings.
export WORK XDG_RUNTIME_DIR="$WORK/run" XDG_CONFIG_HOME="$WORK/config" GSETTINGS_BACKEND=memory
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS NO_AT_BRIDGE

# Three cards the check knows, in an order the demo's sort changes.
cat >"$WORK/cards.json" <<'JSON'
{"cards": [
 {"text": "Baker, Bob", "subItems": ["Phone=555-0102", "City=Zürich"]},
 {"text": "Adams, Ann", "subItems": ["Phone=555-0101", "Mail=ann@example.com", "Call after six"]},
 {"text": "Clarke, Cy", "subItems": ["Phone=555-0103"]}
]}
JSON
"$TOOL" from-json "$WORK/cards.json" "$WORK/three.cards"

timeout 120 xvfb-run -a -s "-screen 0 1280x800x24" \
  dbus-run-session -- "$0" --inside "$DEMO" "$WORK/three.cards"
