#!/usr/bin/env bash
# Runs the quillmere executable on the documents of tests/data/e2e: every
# case of cases.txt against its expected exit code, report (time line
# masked) and merged result, and a three-way merge of identical documents in
# each character set, which must give the left file byte for byte.
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
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Compares `actual` with the expected file, or with its absence.
compare_file() {
  local what=$1 actual=$2 expected=$3
  if [[ -n $update ]]; then
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
