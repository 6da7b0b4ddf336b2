#!/usr/bin/env bash
# Runs the quillmere executable on the documents of tests/data/e2e: every
# case of cases.txt against its expected exit code, report (time line
# masked), merged result and, where one is expected, standard error (the
# scratch folder masked); a three-way merge of identical documents in each
# character set, which must give the left file byte for byte; and targets
# that are no regular file (FIFOs, a closed standard output) or hard-linked.
# Usage: end_to_end.sh QUILLMERE DATA_DIR [--update]  (--update rewrites the
# expected files, which must then be checked by hand)
set -euo pipefail
quillmere=$(realpath "$1")
data=$(realpath "$2")
update=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings and format specifications stay in the scratch folder, and no
# display is needed.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QUILLMERE_FORMATS_DIR="$work/formats"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME"

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Compares `actual` with the expected file, or with its absence; with
# `optional`, only where an expected file exists.
compare_file() {
  local what=$1 actual=$2 expected=$3 optional=${4:-}
  if [[ -n $optional && ! -f $expected ]]; then
    return
  elif [[ -n $update ]]; then
    if [[ -f $actual ]]; then cp "$actual" "$expected"; else rm -f "$expected"; fi
  elif [[ -f $expected ]]; then
    [[ -f $actual ]] || { fail "$what: not written"; return; }
    cmp -s "$actual" "$expected" || { fail "$what differs:"; diff "$expected" "$actual" || true; }
  elif [[ -f $actual ]]; then
    fail "$what: written, but none was expected"
  fi
}

while read -r name expected_code arguments; do
  [[ -z $name || $name == \#* ]] && continue
  run="$work/cases/$name"
  mkdir -p "$run/out"
  cp "$data/inputs/"*.xml "$run/"
  read -ra argv <<<"$arguments"
  code=0
  (cd "$run" && "$quillmere" "${argv[@]}") >"$run/stdout" 2>"$run/stderr" || code=$?
  [[ $code -eq $expected_code ]] || { fail "$name: exit code $code, expected $expected_code"; cat "$run/stderr"; }
  if [[ -f $run/out/report.txt ]]; then
    sed -i 's/^Time: .*\r$/Time: (masked)\r/' "$run/out/report.txt"
  fi
  compare_file "$name report" "$run/out/report.txt" "$data/expected/$name.report.txt"
  compare_file "$name result" "$run/out/result.xml" "$data/expected/$name.result.xml"
  sed -i "s|$work|(scratch)|g" "$run/stderr"
  compare_file "$name messages" "$run/stderr" "$data/expected/$name.stderr.txt" optional
  echo "ran: $name (exit $code)"
done <"$data/cases.txt"

for file in "$data/identical/"*.xml; do
  name=$(basename "$file")
  code=0
  "$quillmere" -silent -merge -base "$file" -left "$file" -right "$file" \
    -result "$work/$name" 2>"$work/stderr" || code=$?
  if [[ $code -ne 0 ]]; then
    fail "identical $name: exit code $code"
    cat "$work/stderr"
  elif ! cmp -s "$file" "$work/$name"; then
    fail "identical $name: the result differs from the left file"
  else
    echo "ok: identical $name"
  fi
done

# Files in sets read through the C library's iconv, written by the iconv
# program from Unicode text: merged with themselves they come back byte for
# byte. A byte the set does not define makes the file refused with code 2.
declare -A iconv_samples=(
  [Shift_JIS]="日本語のかなカナ" [EUC-JP]="日本語のかなカナ" [EUC-KR]="한국어 漢字"
  [Big5]="繁體中文" [GB2312]="简体中文" [KOI8-R]="Съешь ещё" [IBM866]="Съешь ░▒▓"
  [ISO-8859-2]="Příliš žluťoučký" [ISO-8859-5]="Съешь ещё" [ISO-8859-7]="Καλημέρα κόσμε"
  [MacCyrillic]="Съешь ещё"
)
for set in "${!iconv_samples[@]}"; do
  text=${iconv_samples[$set]}
  file="$work/iconv-$set.xml"
  printf '<?xml version="1.0" encoding="%s"?>\n<doc a="%s">\n  <p>%s</p>\n</doc>\n' \
    "$set" "$text" "$text" | iconv -f UTF-8 -t "$set" >"$file"
  code=0
  "$quillmere" -silent -merge -base "$file" -left "$file" -right "$file" \
    -result "$work/merged-$set.xml" 2>"$work/stderr" || code=$?
  if [[ $code -ne 0 ]]; then
    fail "iconv $set: exit code $code"
    cat "$work/stderr"
  elif ! cmp -s "$file" "$work/merged-$set.xml"; then
    fail "iconv $set: the result differs from the file"
  else
    echo "ok: iconv $set"
  fi
done
printf '<?xml version="1.0" encoding="EUC-KR"?>\n<doc>\xff</doc>\n' >"$work/inexact.xml"
code=0
"$quillmere" -silent -merge -base "$work/inexact.xml" -left "$work/inexact.xml" \
  -right "$work/inexact.xml" -result "$work/inexact-merged.xml" 2>"$work/stderr" || code=$?
if [[ $code -ne 2 || -e $work/inexact-merged.xml ]] || ! grep -q "written back exactly" "$work/stderr" ||
  grep -q "cannot be opened" "$work/stderr"; then
  fail "inexact EUC-KR: exit code $code, expected 2 with its one message and no result"
  cat "$work/stderr"
else
  echo "ok: inexact EUC-KR refused"
fi

# Checks that `code` is `expected`, showing the messages when it is not.
expect_code() {
  local what=$1 code=$2 expected=$3 messages=$4
  if [[ $code -ne $expected ]]; then
    fail "$what: exit code $code, expected $expected"
    cat "$messages"
  else
    echo "ok: $what"
  fi
}

special="$work/special"
mkdir -p "$special"
cp "$data/inputs/"*.xml "$special/"
cd "$special"
compare=(-silent -compare -left left.xml -right right.xml)

# A FIFO is written through and stays a FIFO.
mkfifo report.fifo
cat report.fifo >report.read &
code=0
"$quillmere" "${compare[@]}" -report report.fifo 2>stderr || code=$?
wait
expect_code "report into a FIFO" $code 0 stderr
[[ -p report.fifo ]] || fail "the FIFO was replaced"
sed -i 's/^Time: .*\r$/Time: (masked)\r/' report.read
cmp -s report.read "$data/expected/compare-two-way.report.txt" || fail "the report read from the FIFO differs"

# A reader that leaves early makes the write fail; the process is not killed.
{
  printf '<catalog>'
  for ((i = 0; i < 20000; i++)); do printf '<part id="p%d"/>' "$i"; done
  printf '</catalog>\n'
} >big.xml
sed 's|</catalog>|<part id="new"/></catalog>|' big.xml >bigger.xml
(head -c 1 report.fifo >one.byte) &
code=0
"$quillmere" -silent -merge -left big.xml -right bigger.xml -result report.fifo 2>stderr || code=$?
wait
expect_code "result into a FIFO whose reader left" $code 2 stderr
grep -q "report.fifo cannot be written: Broken pipe" stderr || fail "no reason given: $(cat stderr)"

# An input named as the report, by another path, is left alone.
code=0
"$quillmere" "${compare[@]}" -report "$special/./left.xml" 2>stderr || code=$?
expect_code "report over an input" $code 2 stderr
cmp -s left.xml "$data/inputs/left.xml" || fail "the input named as the report changed"

# The report and the result at one new path: the result would replace the report.
code=0
"$quillmere" -silent -merge -left left.xml -right right.xml -report out.xml -result ./out.xml \
  2>stderr || code=$?
expect_code "report and result at one path" $code 2 stderr
[[ ! -e out.xml ]] || fail "something was written at the shared path"

# Standard output closed.
code=0
"$quillmere" "${compare[@]}" -report - >&- 2>stderr || code=$?
expect_code "report to a closed standard output" $code 2 stderr
grep -q "standard output cannot be written: Bad file descriptor" stderr ||
  fail "no reason given: $(cat stderr)"

# A full device, as the report file and as standard output: only in a mount
# namespace of its own with a /dev of its own, never on the real one; where
# no such namespace can be made (not root), this is skipped.
if unshare -m bash -c 'mount --make-rprivate / && mount -t tmpfs tmpfs /dev' 2>unshare.err; then
  unshare -m bash -c '
    set -e
    mount --make-rprivate /
    mount -t tmpfs tmpfs /dev
    mknod -m 666 /dev/full c 1 7
    code=0; "$@" -report /dev/full 2>full.err || code=$?; echo $code >full.code
    code=0; "$@" -report - >/dev/full 2>full-output.err || code=$?; echo $code >full-output.code
    [[ -c /dev/full ]] && echo device >full.kind
  ' - "$quillmere" "${compare[@]}"
  expect_code "report to a full device" "$(cat full.code)" 2 full.err
  grep -q "/dev/full cannot be written: No space left on device" full.err ||
    fail "no reason given: $(cat full.err)"
  expect_code "report to a full standard output" "$(cat full-output.code)" 2 full-output.err
  [[ $(cat full.kind) == device ]] || fail "the device was replaced"
else
  echo "skipped: full device (no private mount namespace here)"
fi

# A hard-linked result keeps its links.
cp left.xml merged.xml
ln merged.xml merged-link.xml
code=0
"$quillmere" -silent -merge -base base.xml -left left.xml -right right.xml -result merged.xml \
  2>stderr || code=$?
expect_code "result over a hard-linked file" $code 0 stderr
cmp -s merged-link.xml "$data/expected/merge-three-way.result.xml" ||
  fail "the other link does not show the result"

# The usage, in English unless another language was chosen.
"$quillmere" --help -bogus >help.txt 2>stderr || fail "--help: $(cat stderr)"
grep -q "^Usage: quillmere -compare|-merge" help.txt || fail "--help prints no usage"

# Messages follow the language chosen.
mkdir -p "$XDG_CONFIG_HOME/Velden"
printf '[General]\nLanguage=Deutsch.xml\n' >"$XDG_CONFIG_HOME/Velden/Quillmere.conf"
code=0
"$quillmere" -silent -bogus 2>stderr || code=$?
expect_code "unknown option in German" $code 2 stderr
grep -q "Unbekannte Option" stderr || fail "not in German: $(cat stderr)"
"$quillmere" --help >help.txt 2>stderr || fail "--help in German: $(cat stderr)"
grep -q "^Aufruf: quillmere -compare|-merge" help.txt || fail "--help not in German"
rm "$XDG_CONFIG_HOME/Velden/Quillmere.conf"
cd /

# Files that are not (whole) XML are refused at load, naming the file, the
# line and column and what is wrong; nothing is written and the exit code is 2.
refused="$work/refused"
mkdir -p "$refused"
head -c 175 "$data/inputs/left.xml" >"$refused/truncated.xml"
printf 'just some text\n' >"$refused/plain.xml"
: >"$refused/empty.xml"
printf ' \n\n' >"$refused/blank.xml"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >"$refused/binary.xml"
printf '<a><b x="1></b></a>\n' >"$refused/unclosed-quote.xml"
declare -A refusal=(
  [truncated.xml]="Line 4, column 3: this element has no end tag"
  [plain.xml]="Line 2, column 1: the file holds no XML element"
  [empty.xml]="Line 1, column 1: the file holds no XML element"
  [blank.xml]="Line 3, column 1: the file holds no XML element"
  [binary.xml]="Line 3, column 1: a zero byte"
  [unclosed-quote.xml]="Line 1, column 9: an attribute value without its closing quotation mark"
)
for name in "${!refusal[@]}"; do
  code=0
  "$quillmere" -silent -merge -base "$data/inputs/base.xml" -left "$refused/$name" \
    -right "$data/inputs/right.xml" -result "$refused/result.xml" -report "$refused/report.txt" \
    2>"$refused/stderr" || code=$?
  if [[ $code -ne 2 ]]; then
    fail "refused $name: exit code $code, expected 2"
  elif [[ -e $refused/result.xml || -e $refused/report.txt ]]; then
    fail "refused $name: something was written"
  elif ! grep -qF "$refused/$name" "$refused/stderr" || ! grep -qF "${refusal[$name]}" "$refused/stderr"; then
    fail "refused $name: the message does not name the file and '${refusal[$name]}':"
    cat "$refused/stderr"
  else
    echo "ok: refused $name"
  fi
done

# Inputs read from pipes: standard input, process substitution and a FIFO
# give the same merge as the files themselves.
pipes="$work/pipes"
mkdir -p "$pipes"
"$quillmere" -silent -merge -base "$data/inputs/base.xml" -left "$data/inputs/left.xml" \
  -right "$data/inputs/right.xml" -result "$pipes/expected.xml" 2>"$pipes/stderr" ||
  fail "pipes: the merge of the files themselves failed"
mkfifo "$pipes/base.fifo"
cat "$data/inputs/base.xml" >"$pipes/base.fifo" &
code=0
"$quillmere" -silent -merge -base "$pipes/base.fifo" -left /dev/stdin \
  -right <(cat "$data/inputs/right.xml") -result "$pipes/result.xml" \
  <"$data/inputs/left.xml" 2>"$pipes/stderr" || code=$?
wait
if [[ $code -ne 0 ]]; then
  fail "pipes: exit code $code"
  cat "$pipes/stderr"
elif ! cmp -s "$pipes/expected.xml" "$pipes/result.xml"; then
  fail "pipes: the result differs from the merge of the files"
else
  echo "ok: pipes"
fi
code=0
head -c 300 "$data/inputs/left.xml" | "$quillmere" -silent -compare -left /dev/stdin \
  -right "$data/inputs/right.xml" -report "$pipes/report.txt" 2>"$pipes/stderr" || code=$?
[[ $code -eq 2 ]] || fail "pipes: a truncated standard input gave exit code $code, expected 2"

echo "$failures failed"
[[ $failures -eq 0 ]]
