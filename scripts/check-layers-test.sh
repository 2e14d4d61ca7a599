#!/usr/bin/env bash
# The layer check itself: clean on a copy of the sources, failing on each planted breach.
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
copy() {
  rm -rf "$WORK/tree" && mkdir -p "$WORK/tree"
  for d in host components design apps tests bench fuzz; do
    [ -d "$ROOT/$d" ] && cp -r "$ROOT/$d" "$WORK/tree/$d"
  done
}
expect() {  # expect PASS|FAIL DESCRIPTION
  if "$ROOT/scripts/check-layers.sh" "$WORK/tree" >/dev/null; then got=PASS; else got=FAIL; fi
  if [ "$got" != "$1" ]; then echo "check gave $got, expected $1: $2"; exit 1; fi
  echo "ok: $2"
}
copy; expect PASS "the sources as they are"
copy; echo '#include "WindowBackend.h"' >>"$WORK/tree/components/Ostrel.cpp"; expect FAIL "a backend header in components/"
copy; echo '#include "backend/Peer.h"' >>"$WORK/tree/tests/vcl/EditTest.cpp"; expect FAIL "a backend header by its folder in tests/"
copy; echo '#include <QWidget>' >>"$WORK/tree/host/src/vcl/Edit.cpp"; expect FAIL "Qt in the framework"
copy; echo '#include <QString>' >>"$WORK/tree/components/Ostrel.h"; expect FAIL "Qt in components/"
copy; echo '#include <QImage>' >>"$WORK/tree/host/Graphics.h"; expect FAIL "Qt in a public framework header"
