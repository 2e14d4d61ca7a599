#!/usr/bin/env bash
# The demo opens every supported format, right to left too, and names the card count as a
# person would write it.  Usage: open-formats-test.sh DEMO DATA_DIR  (under an X server)
set -uo pipefail
DEMO="$1"
DATA="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
FAILED=0
expect_title() {  # title, then the demo's arguments
  local Want="$1"; shift
  local Got
  Got="$("$DEMO" --screenshot "$WORK/shot.png" "$@")"
  if [ "$Got" != "$Want" ] || [ ! -s "$WORK/shot.png" ]; then
    echo "FAILED: $* gave \"$Got\", not \"$Want\""
    FAILED=1
  fi
  rm -f "$WORK/shot.png"
}
expect_title "one-contact.vcf - 1 card" --rtl "$DATA/one-contact.vcf"
expect_title "address-book.vcf - 300 cards" "$DATA/address-book.vcf"
expect_title "two-contacts.csv - 2 cards" --rtl "$DATA/two-contacts.csv"
printf 'not a card file' > "$WORK/broken.vcf"
if "$DEMO" --screenshot "$WORK/shot.png" "$WORK/broken.vcf" 2> "$WORK/err.txt"; then
  echo "FAILED: a broken vCard file opened"; FAILED=1
fi
grep -q 'broken.vcf: not a vCard file' "$WORK/err.txt" || { echo "FAILED: message: $(cat "$WORK/err.txt")"; FAILED=1; }
if "$DEMO" --bogus > /dev/null 2>&1; then echo "FAILED: an unknown option was taken"; FAILED=1; fi
exit $FAILED
