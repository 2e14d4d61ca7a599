#!/usr/bin/env bash
# Builds everything and runs the demo address book. Without a display it runs the demo
# under Xvfb and saves a screenshot instead of opening a window.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

configure_and_build
DEMO="$BUILD_DIR/apps/ostrel-demo/ostrel-demo"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$DEMO" "$@"
fi
SHOT="$BUILD_DIR/ostrel-demo.png"
xvfb-run -a -s "-screen 0 1280x800x24" "$DEMO" --screenshot "$SHOT" "$@"
echo "No display here: the demo ran under Xvfb and its screenshot is $SHOT"
