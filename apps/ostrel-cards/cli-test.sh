#!/usr/bin/env bash
# Runs ostrel-cards as a user would: every command, the exit codes of wrong input and wrong
# usage, and byte-exact round trips through JSON.
set -uo pipefail
TOOL="$(realpath "$1")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
PASSED=0
FAILED=0

check() {  # description, then a command that must succeed
  local What="$1"; shift
  if "$@"; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); echo "FAILED: $What"; fi
}
status_is() {  # expected status, then the command
  local Want="$1"; shift
  "$@" > out.txt 2> err.txt
  [ "$?" -eq "$Want" ]
}

# The two-card example, byte for byte.
printf '\xc8\x00\x00\x00\x02\x00\x00\x00\xc8\x00\x00\x00\x03\x00\x00\x00Ann\x00\x00\x00\x00\x16\x00\x00\x00Phone=123\r\nCity=Rome\r\n\x01\x00\x00\x00\x00\xc8\x00\x00\x00\x03\x00\x00\x00Bob\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x00\x00Hi' > example.cards
check "example is 80 bytes" [ "$(stat -c %s example.cards)" -eq 80 ]
check "to-json of the example" status_is 0 "$TOOL" to-json example.cards
check "example JSON content" grep -q '"text":"Bob","data":0,"subItems":\[\],"showHint":false,"hint":"Hi"' out.txt
cp out.txt example.json
check "from-json of the example" status_is 0 "$TOOL" from-json example.json again.cards
check "example round trip is byte for byte" cmp -s example.cards again.cards

# Bytes that are not UTF-8 travel as base64 and come back unchanged.
printf '\xc8\x00\x00\x00\x01\x00\x00\x00\xc8\x00\x00\x00\x02\x00\x00\x00\xff\xfe\x07\x00\x00\x00\x00\x00\x00\x00\x01\x03\x00\x00\x00a\x00b' > bytes.cards
check "to-json of raw bytes" status_is 0 "$TOOL" to-json bytes.cards
check "raw text as base64" grep -q '"text":{"base64":"//4="}' out.txt
check "hint with a zero byte stays a string" grep -q '"hint":"a\\u0000b"' out.txt
cp out.txt bytes.json
check "from-json of raw bytes" status_is 0 "$TOOL" from-json bytes.json bytes-again.cards
check "raw bytes round trip" cmp -s bytes.cards bytes-again.cards

# Generated cards: reproducible, and they survive the round trip.
check "generate" status_is 0 "$TOOL" generate --count 500 --seed 9 a.cards
check "generate again" status_is 0 "$TOOL" generate --seed 9 --count 500 b.cards
check "same seed, same file" cmp -s a.cards b.cards
check "other seed" status_is 0 "$TOOL" generate --count 500 --seed 10 c.cards
check "other seed, other file" bash -c '! cmp -s a.cards c.cards'
check "generated to-json" status_is 0 "$TOOL" to-json a.cards
check "500 cards in the JSON" [ "$(grep -c '"text":' out.txt)" -eq 500 ]
for Script in Latin Cyrillic Greek Han Arabic; do
  check "names in $Script script" env LC_ALL=C.UTF-8 grep -qP "\"text\":\"[^\"]*\\p{$Script}" out.txt
done
cp out.txt a.json
check "generated from-json" status_is 0 "$TOOL" from-json a.json a-again.cards
check "generated round trip" cmp -s a.cards a-again.cards
# Named .vcf or .csv, the generated contacts come in that format: the same cards as to-vcard
# and to-csv of the card file give.
for Format in vcard csv; do
  Extension=$([ $Format = vcard ] && echo vcf || echo csv)
  check "generate $Extension" status_is 0 "$TOOL" generate --count 500 --seed 9 "a.$Extension"
  check "to-$Format of the generated cards" status_is 0 "$TOOL" to-$Format a.cards "a-converted.$Extension"
  check "generated $Extension is the converted one" cmp -s "a.$Extension" "a-converted.$Extension"
done

# Bad input: status 1 with what and where.
head -c 60 example.cards > short.cards
check "short card file" status_is 1 "$TOOL" to-json short.cards
check "short file names the offset" grep -q 'byte offset 60' err.txt
check "missing card file" status_is 1 "$TOOL" to-json missing.cards
# A count that says fewer cards than the file holds, a negative count or a file of zeros
# once converted without a word, dropping the rest.
{ printf '\xc8\x00\x00\x00\x01\x00\x00\x00'; tail -c +9 example.cards; } > undercount.cards
printf '\xc8\x00\x00\x00\xfe\xff\xff\xff' > negative.cards
head -c 64 /dev/zero > zeros.cards
for Bad in undercount negative zeros; do
  for Command in to-json to-vcard to-csv; do
    check "$Command refuses $Bad.cards" status_is 1 "$TOOL" $Command $Bad.cards
  done
done
check "undercount message" status_is 1 "$TOOL" to-json undercount.cards
check "undercount names the end of the last card" grep -q 'undercount.cards at byte offset 54: more bytes follow the last card' err.txt
check "negative message" status_is 1 "$TOOL" to-vcard negative.cards
check "negative count message" grep -q 'negative.cards at byte offset 4: the card count is negative (-2)' err.txt
echo '{"cards": [{"text": "a", "data": -1}]}' > bad-data.json
check "negative data" status_is 1 "$TOOL" from-json bad-data.json x.cards
check "negative data message" grep -q 'card 0 "data"' err.txt
echo '{"cards": [{"text": "a", "subItems": ["one\ntwo"]}]}' > bad-line.json
check "line break in a sub-item" status_is 1 "$TOOL" from-json bad-line.json x.cards
echo '{"cards": [{"text": "a"}, {"txt": "b"}]}' > bad-field.json
check "unknown field" status_is 1 "$TOOL" from-json bad-field.json x.cards
check "unknown field message" grep -q 'card 1 has an unknown field "txt"' err.txt
printf '{"cards": [' > broken.json
check "broken JSON" status_is 1 "$TOOL" from-json broken.json x.cards
check "broken JSON names the offset" grep -q 'byte offset' err.txt
check "nothing written for bad JSON" [ ! -e x.cards ]
echo '{"cards": [{"text": {"base64": "!!"}}]}' > bad-base64.json
check "bad base64" status_is 1 "$TOOL" from-json bad-base64.json x.cards

# Damaged and hostile JSON: a message, never a crash.
check "missing card file again" status_is 1 "$TOOL" to-json missing.cards
check "missing card file says why" grep -q 'missing.cards: No such file or directory' err.txt
echo '{"cards": [{"text": "a", "data": 1e400}]}' > overflow.json
check "a number beyond a double" status_is 1 "$TOOL" from-json overflow.json x.cards
check "overflow message" grep -q 'byte offset 38: .*number overflow' err.txt
echo '{"cards": [], "x": [1e400]}' > overflow2.json
check "a number beyond a double anywhere" status_is 1 "$TOOL" from-json overflow2.json x.cards
mkdir folder.json
check "a folder for JSON" status_is 1 "$TOOL" from-json folder.json x.cards
check "folder message" grep -q 'folder.json: Is a directory' err.txt
echo '{"cards": [{"text": "a"}, {"hint": "b"}]}' > no-text.json
check "a card without text" status_is 1 "$TOOL" from-json no-text.json x.cards
check "no-text message" grep -q 'card 1 has no "text"' err.txt
printf '{"cards": []}\0 and more' > zero.json
check "a zero byte" status_is 1 "$TOOL" from-json zero.json x.cards
check "zero byte message" grep -q 'a zero byte at byte offset 13' err.txt
check "nothing written for any of them" [ ! -e x.cards ]

# Special files: a pipe and a device are written in place and stay what they are; a
# dangling link gets its file; a full device says why.
mkfifo fifo.cards
cat fifo.cards > from-fifo.cards &
check "from-json into a FIFO" status_is 0 "$TOOL" from-json example.json fifo.cards
wait
check "the FIFO got the cards" cmp -s example.cards from-fifo.cards
check "the FIFO stays a FIFO" [ -p fifo.cards ]
mknod null.cards c 1 3 2> /dev/null || ln -s /dev/null null.cards
mknod full.cards c 1 7 2> /dev/null || ln -s /dev/full full.cards
check "generate into a null device" status_is 0 "$TOOL" generate --count 3 null.cards
check "the device stays a device" [ -c null.cards ]
check "generate into a full device" status_is 1 "$TOOL" generate --count 3 full.cards
check "full device message" grep -q 'full.cards: No space left on device' err.txt
ln -s made-by-link.cards dangling.cards
check "from-json through a dangling link" status_is 0 "$TOOL" from-json example.json dangling.cards
check "the link stays and its file has the cards" bash -c '[ -L dangling.cards ] && cmp -s example.cards made-by-link.cards'

# Bounded memory: under a limit far below what whole files would need, an endless card
# stream converts as it comes, and a count beyond the memory there is ends with a message.
# (The sanitizers' runtime cannot start under such a limit; then these are skipped.)
LIMIT_KB=400000
if (ulimit -v $LIMIT_KB; "$TOOL" generate --count 1 limited.cards) 2> /dev/null; then
  tail -c +9 example.cards > records.bin
  for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do cat records.bin records.bin > more.bin; mv more.bin records.bin; done
  endless() { printf '\xc8\0\0\0\xff\xff\xff\x7f'; while cat records.bin; do :; done; }
  check "to-json of an endless pipe streams" bash -c "(ulimit -v $LIMIT_KB; $(declare -f endless); endless | \"$TOOL\" to-json /dev/stdin | head -c 20000000 | wc -c) > streamed.txt"
  check "20 MB of JSON came out" [ "$(cat streamed.txt)" -eq 20000000 ]
  check "out of memory" status_is 1 bash -c "ulimit -v $LIMIT_KB; exec \"$TOOL\" generate --count 100000000 huge.cards"
  check "out of memory message" grep -q 'out of memory' err.txt
  check "nothing left of the failed generate" bash -c '[ ! -e huge.cards ] && ! ls -a | grep -q saving' 
fi

# vCard and CSV: both ways, through files and the standard streams ("-" or no output), and
# the messages for files that are not what they claim. Hints and card data have no place in
# either format; the captions and every line come back.
check "help" status_is 0 "$TOOL" --help
check "help lists the new commands" grep -q 'to-vcard FILE \[OUT\]' out.txt
check "generate to the standard output" status_is 0 "$TOOL" generate --count 500 --seed 9 -
check "the same cards as into a file" cmp -s out.txt a.cards
check "to-vcard to the standard output" status_is 0 "$TOOL" to-vcard a.cards
check "500 vCards" [ "$(grep -c '^BEGIN:VCARD' out.txt)" -eq 500 ]
cp out.txt a.vcf
check "from-vcard" status_is 0 "$TOOL" from-vcard a.vcf a-vcard.cards
check "to-vcard into a file" status_is 0 "$TOOL" to-vcard a-vcard.cards a-again.vcf
check "vCard round trip" cmp -s a.vcf a-again.vcf
cards_of() { "$TOOL" to-json "$1" | sed -E 's/"data":[0-9]+,//; s/,"showHint":(true|false),"hint":.*\}/}/'; }
check "captions and lines survive vCard" bash -c "$(declare -f cards_of); TOOL='$TOOL'; cmp -s <(cards_of a.cards) <(cards_of a-vcard.cards)"
check "from-vcard reads the standard input" bash -c "'$TOOL' from-vcard - stdin.cards < a.vcf && cmp -s stdin.cards a-vcard.cards"
check "from-vcard writes the standard output" bash -c "'$TOOL' from-vcard a.vcf - > stdout.cards && cmp -s stdout.cards a-vcard.cards"
check "to-csv from the standard input" bash -c "cat a.cards | '$TOOL' to-csv - a.csv"
check "a header and 500 records" [ "$(wc -l < a.csv)" -eq 501 ]
check "from-csv" status_is 0 "$TOOL" from-csv a.csv a-csv.cards
check "to-csv again" status_is 0 "$TOOL" to-csv a-csv.cards -
cp out.txt b.csv
check "from-csv again" status_is 0 "$TOOL" from-csv b.csv b-csv.cards
check "to-csv once more" status_is 0 "$TOOL" to-csv b-csv.cards c.csv
check "CSV settles after one round" cmp -s b.csv c.csv
check "captions survive CSV" bash -c "$(declare -f cards_of); TOOL='$TOOL'; cmp -s <(cards_of a.cards | grep -o '\"text\":\"[^\"]*\"') <(cards_of a-csv.cards | grep -o '\"text\":\"[^\"]*\"')"
printf 'Name,Note\r\nAnn,"open\r\n' > open.csv
check "an open quote" status_is 1 "$TOOL" from-csv open.csv x.cards
check "open quote message" grep -q 'open.csv: line 2: a quoted field is not closed' err.txt
check "JSON is not a vCard" status_is 1 "$TOOL" from-vcard example.json x.cards
check "not-a-vCard message" grep -q 'example.json: not a vCard file' err.txt
check "a missing vCard file" status_is 1 "$TOOL" from-vcard missing.vcf x.cards
check "missing vCard message" grep -q 'missing.vcf: No such file or directory' err.txt
check "a damaged card file to vCard" status_is 1 "$TOOL" to-vcard short.cards
check "damaged card file message" grep -q 'byte offset 60' err.txt
check "nothing written for any bad input" [ ! -e x.cards ]

# What the readers change is told on the standard error, the status stays 0;
# hostile input ends with a message, not with all the memory there is.
printf 'BEGIN:VCARD\r\nFN:Ann\r\nBEGIN:VCARD\r\nFN:Bob\r\nNOTE:a\0b\r\nEND:VCARD\r\n' > no-end.vcf
check "a vCard without END converts" status_is 0 "$TOOL" from-vcard no-end.vcf no-end.cards
check "both cards are there" [ "$("$TOOL" to-json no-end.cards | grep -c '"text":')" -eq 2 ]
check "the missing END is a warning" grep -q '^ostrel-cards: warning: no-end.vcf: line 1: this card has no END:VCARD' err.txt
check "the zero byte is a warning" grep -q 'line 5: a zero byte in NOTE' err.txt
check "help tells what CSV keeps" bash -c "'$TOOL' --help | grep -q 'Ostrel line order'"
check "CSV keeps every line in order" bash -c "$(declare -f cards_of); TOOL='$TOOL'; cmp -s <(cards_of a.cards) <(cards_of a-csv.cards)"
printf '\xc8\x00\x00\x00\x01\x00\x00\x00\xc8\x00\x00\x00\x04\x00\x00\x00=1+2\x00\x00\x00\x00\x28\x00\x00\x00Phone=+39 06 1\r\nNote=@SUM(A1)\r\nNote=-x\r\n\x01\x00\x00\x00\x00' > formula.cards
check "to-csv of formulas" status_is 0 "$TOOL" to-csv formula.cards formula.csv
check "formulas get an apostrophe, phone numbers not" grep -q "^'=1+2,+39 06 1,'@SUM(A1),'-x," formula.csv
check "and come back exactly" bash -c "'$TOOL' from-csv formula.csv formula-again.cards && '$TOOL' to-json formula-again.cards | grep -q '\"text\":\"=1+2\".*\"Phone=+39 06 1\",\"Note=@SUM(A1)\",\"Note=-x\"'"
check "zeros are no vCard file" status_is 1 timeout 10 "$TOOL" from-vcard /dev/zero x.cards
check "zeros message" grep -q '/dev/zero: not a vCard file: no BEGIN:VCARD line in its first 64 KiB' err.txt
check "zeros are no CSV file" status_is 1 timeout 10 "$TOOL" from-csv /dev/zero x.cards
check "zeros CSV message" grep -q '/dev/zero: not a CSV file: a zero byte in its header line' err.txt
printf '\xff\xfeB\0E\0G\0I\0N\0:\0V\0C\0A\0R\0D\0\r\0\n\0F\0N\0:\0\xfc\0\r\0\n\0E\0N\0D\0:\0V\0C\0A\0R\0D\0\r\0\n\0' > utf16.vcf
check "a UTF-16 vCard" status_is 0 "$TOOL" from-vcard utf16.vcf utf16.cards
check "its text" bash -c "'$TOOL' to-json utf16.cards | grep -q '\"text\":\"ü\"'"
printf 'Name,City\r\nM\xfcller,K\xc3\xb6ln\r\n' > latin.csv
check "a Latin-1 CSV cell next to a UTF-8 one" bash -c "'$TOOL' from-csv latin.csv latin.cards 2> /dev/null && '$TOOL' to-json latin.cards | grep -q '\"text\":\"Müller\".*\"City=Köln\"'"
if (ulimit -v $LIMIT_KB; "$TOOL" generate --count 1 limited.cards) 2> /dev/null; then
  "$TOOL" generate --count 200000 --seed 3 big.cards && "$TOOL" to-vcard big.cards big.vcf && "$TOOL" to-csv big.cards big.csv
  check "from-vcard goes a card at a time" status_is 0 bash -c "ulimit -v $LIMIT_KB; exec '$TOOL' from-vcard big.vcf big-vcf.cards"
  check "from-csv goes a card at a time" status_is 0 bash -c "ulimit -v $LIMIT_KB; exec '$TOOL' from-csv big.csv big-csv.cards"
  check "to-vcard goes a card at a time" status_is 0 bash -c "ulimit -v $LIMIT_KB; '$TOOL' to-vcard big-vcf.cards | cmp -s - big.vcf"
  check "to-csv goes a card at a time" status_is 0 bash -c "ulimit -v $LIMIT_KB; '$TOOL' to-csv big-csv.cards | cmp -s - big.csv"
  check "the big round trips keep every card" bash -c "$(declare -f cards_of); TOOL='$TOOL'; cmp -s <(cards_of big-vcf.cards) <(cards_of big-csv.cards)"
  rm -f big*.cards big.vcf big.csv
fi

# Wrong usage: status 2.
check "no command" status_is 2 "$TOOL"
check "unknown command" status_is 2 "$TOOL" frobnicate
check "to-json without a file" status_is 2 "$TOOL" to-json
check "generate without --count" status_is 2 "$TOOL" generate out.cards
check "generate with a bad count" status_is 2 "$TOOL" generate --count ten out.cards
check "to-vcard with three files" status_is 2 "$TOOL" to-vcard a b c
check "from-csv without an output" status_is 2 "$TOOL" from-csv a.csv
check "an unknown option" status_is 2 "$TOOL" --frobnicate

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
