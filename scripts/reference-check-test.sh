#!/usr/bin/env bash
# The documentation check itself: clean on the headers as they are, failing on each planted
# undocumented public member, and blind to protected ones and to a getter's setter.
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
copy() {
  cp "$ROOT/components/OstrelItems.h" "$ROOT/components/Ostrel.h" "$ROOT/components/OstrelButtonsBar.h" "$WORK/"
}
expect() {  # expect PASS|FAIL DESCRIPTION [TEXT THE REPORT MUST NAME]
  local report
  if report=$("$ROOT/scripts/reference.sh" --check "$WORK/OstrelItems.h" "$WORK/Ostrel.h" "$WORK/OstrelButtonsBar.h"); then
    got=PASS
  else
    got=FAIL
  fi
  if [ "$got" != "$1" ]; then echo "check gave $got, expected $1: $2"; echo "$report"; exit 1; fi
  if [ -n "${3:-}" ] && ! grep -qF -- "$3" <<<"$report"; then
    echo "the report does not name $3: $2"; echo "$report"; exit 1
  fi
  echo "ok: $2"
}
# Inserts LINE after the first line matching PATTERN in FILE of the copy.
plant() { sed -i "0,/$2/s//&\n$3/" "$WORK/$1"; }

copy; expect PASS "the headers as they are"
copy; plant OstrelItems.h '^  void Sort();' '\n  void Shuffle();'
expect FAIL "a new card list member without a comment" "Shuffle()"
copy; sed -i '/^  \/\/ The caption band of the selected card/d' "$WORK/Ostrel.h"
expect FAIL "a card view property whose comment went" "GetSelectionColor()"
copy; plant OstrelButtonsBar.h '^  void PaintButtons();' '\n  int Undocumented() const;'
expect FAIL "a letter bar member after a blank line" "Undocumented()"
copy; plant OstrelItems.h '^  void SetSelected(bool Value);' '  bool GetChecked() const;'
expect PASS "a card member joining the commented run above it"
copy; plant OstrelButtonsBar.h '^  void DoExit() override;' '\n  void Helper();'
expect PASS "a protected member without a comment"
copy; plant Ostrel.h '^  void PostHide(bool Accept);' '\npublic:\n  void Unrelated();'
expect PASS "a member of another class"
