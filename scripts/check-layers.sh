#!/usr/bin/env bash
# The controls and the design-time code see only host/, and host/'s public headers show no
# Qt type (QtEmbedding.h, the header for embedding in a Qt program, excepted).
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT" || exit 2
QT_INCLUDE='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]*'
bad=$(grep -rnE "$QT_INCLUDE" components design 2>/dev/null;
      grep -nE "$QT_INCLUDE" host/*.h 2>/dev/null | grep -v '^host/QtEmbedding.h:')
if [ -n "$bad" ]; then
  echo "Qt included outside host/backend:"
  echo "$bad"
  exit 1
fi
echo "layers clean"
