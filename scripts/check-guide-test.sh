#!/usr/bin/env bash
# The guide check itself: clean on the guide as it is, failing when a shown line drifts from
# the program, when a block is added that no program holds, and when no block is left.
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
expect() {  # expect PASS|FAIL DESCRIPTION
  if "$ROOT/scripts/check-guide.py" "$WORK/guide.md" "$ROOT/examples/getting-started" >/dev/null; then
    got=PASS
  else
    got=FAIL
  fi
  if [ "$got" != "$1" ]; then echo "check gave $got, expected $1: $2"; exit 1; fi
  echo "ok: $2"
}
copy() { cp "$ROOT/docs/getting-started.md" "$WORK/guide.md"; }
copy; expect PASS "the guide as it is"
copy; sed -i '0,/Cards->SetColumnWidth(180);/s//Cards->SetColumnWidth(181);/' "$WORK/guide.md"
expect FAIL "a number changed in a shown line"
copy; printf '\n```cpp\nCards->SetFlavour(42);\n```\n' >>"$WORK/guide.md"
expect FAIL "a block no program holds"
copy; sed -i 's/^```\(cpp\|cmake\|dfm\)$/```text/' "$WORK/guide.md"
expect FAIL "no checked block left"
