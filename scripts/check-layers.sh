#!/usr/bin/env bash
# The layers hold: the controls and the design-time code see only host/; the framework
# (host/src) and host/'s public headers include no Qt (QtEmbedding.h, the header for
# embedding in a Qt program, excepted); the form designer keeps Qt to its main.cpp; and nothing outside host/src and host/backend
# includes a backend header.  Usage: check-layers.sh [ROOT]
set -u
ROOT="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$ROOT" || exit 2
QT_INCLUDE='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]*'
bad=$(grep -rnE "$QT_INCLUDE" components design host/src 2>/dev/null;
      grep -nE "$QT_INCLUDE" host/*.h 2>/dev/null | grep -v '^host/QtEmbedding.h:';
      grep -nE "$QT_INCLUDE" apps/ostrel-designer/*.h apps/ostrel-designer/*.cpp 2>/dev/null |
        grep -v '^apps/ostrel-designer/main.cpp:')
if [ -n "$bad" ]; then
  echo "Qt included outside host/backend:"
  echo "$bad"
  exit 1
fi

# A backend header is one of host/backend/*.h, named with or without its folder; a file
# beside the includer with the same name is that file, not the backend's.
backend_headers=$(cd host/backend && ls -- *.h)
leaks=""
while IFS= read -r -d '' file; do
  dir=$(dirname "$file")
  while IFS= read -r included; do
    name=$(basename "$included")
    case "$included" in backend/*) ;; *) [ -e "$dir/$name" ] && continue ;; esac
    if grep -qxF "$name" <<<"$backend_headers"; then leaks+="$file: $included"$'\n'; fi
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
done < <(find . \( -path ./host/src -o -path ./host/backend -o -path './build*' -o -path ./.git \) -prune -o \
              \( -name '*.h' -o -name '*.cpp' \) -print0)
if [ -n "$leaks" ]; then
  echo "backend headers included outside host/src and host/backend:"
  printf '%s' "$leaks"
  exit 1
fi
echo "layers clean"
