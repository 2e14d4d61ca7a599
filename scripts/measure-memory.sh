#!/usr/bin/env bash
# Peak memory and time of the card tools on inputs that once made them hold far more than
# the input's size. Prints one CSV row per run: input, command, status, peak RSS (MB), seconds.
#   scripts/measure-memory.sh [BUILD_DIR] [WORK_DIR]
# WORK_DIR keeps the generated inputs (about 400 MB) between runs.
set -eu  # no pipefail: the generators end their pipes early on purpose
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(realpath "${1:-$ROOT/build}")"
WORK="${2:-/tmp/ostrel-memory}"
TOOL="$BUILD/apps/ostrel-cards/ostrel-cards"
DEMO="$BUILD/apps/ostrel-demo/ostrel-demo"
mkdir -p "$WORK"
cd "$WORK"

le32() {  # a little-endian 32-bit field
  printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"
  printf "\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"
}

# One card whose text is Text and whose sub-items are Lines bytes read from stdin.
one_card() {  # text-bytes-file sub-items-bytes-file
  { le32 200; le32 1; le32 200; le32 "$(stat -c %s "$1")"; cat "$1"; le32 0
    le32 "$(stat -c %s "$2")"; cat "$2"; printf '\x01'; le32 0; }
}

if [ ! -e line-feeds.cards ]; then
  printf 'A' > a.txt
  head -c $((16 << 20)) /dev/zero | tr '\0' '\n' > lf.txt
  one_card a.txt lf.txt > line-feeds.cards
  : > none.txt
  yes 'Lorem ipsum dolor sit amet, ' | tr -d '\n' | head -c $((64 << 20)) > caption.txt
  one_card caption.txt none.txt > caption.cards
  { printf '{"cards": ['; yes '{"text": ""},' | head -n 999999 | tr -d '\n'; printf '{"text": ""}]}\n'; } > empty-texts.json
  "$TOOL" generate --count 1000000 --seed 3 contacts.cards
  "$TOOL" to-json contacts.cards > contacts.json
  rm -f a.txt lf.txt none.txt caption.txt
fi

measure() {  # input, then the command; XVFB=1 runs it on a virtual X server
  local Input="$1"; shift
  local Status=0 Prefix=()
  [ -n "${XVFB:-}" ] && Prefix=(xvfb-run -a -s "-screen 0 1280x800x24")
  "${Prefix[@]}" /usr/bin/time -v -o "$WORK/time.txt" "$@" > /dev/null 2> err.txt || Status=$?
  local Kb Wall
  Kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$WORK/time.txt")
  Wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$WORK/time.txt")
  echo "$Input,$(basename "$1") $2,$Status,$((Kb / 1024)),$Wall"
}

echo "input,command,status,peak MB,wall time"
measure "one card, 16 MiB of line feeds ($(stat -c %s line-feeds.cards) bytes)" "$TOOL" to-json line-feeds.cards
measure "1,000,000 cards with empty texts ($(stat -c %s empty-texts.json) bytes)" "$TOOL" from-json empty-texts.json out.cards
measure "1,000,000 generated contacts ($(stat -c %s contacts.json) bytes)" "$TOOL" from-json contacts.json out.cards
measure "1,000,000 generated contacts ($(stat -c %s contacts.cards) bytes)" "$TOOL" to-json contacts.cards
if command -v xvfb-run > /dev/null; then
  XVFB=1 measure "one card, 64 MiB caption ($(stat -c %s caption.cards) bytes)" \
    "$DEMO" --screenshot "$WORK/caption.png" caption.cards
fi
rm -f out.cards time.txt err.txt
