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

echo "$failures failed"
[[ $failures -eq 0 ]]
