#!/usr/bin/env bash
# Completes command lines with the bash completion for quillmere and compares
# the offers with the expected ones; then checks that the completion offers
# every option the program's usage lists and no other.
# Usage: bash_completion.sh COMPLETION_FILE QUILLMERE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
completion=$(realpath "$1")
quillmere=$(realpath "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QUILLMERE_FORMATS_DIR="$work/formats"
mkdir -p "$work/files/sub"
touch "$work/files/base.xml" "$work/files/left.xml" "$work/files/-odd.xml"
cd "$work/files"

# shellcheck source=/dev/null
source "$completion"

# The sorted offers for a command line whose last word is being completed.
offers() {
    COMP_WORDS=(quillmere "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _quillmere
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

failures=0
# command line (its last word is completed) | expected offers
while IFS='|' read -r line expected; do
    read -ra words <<<"$line"
    [[ $line == *' ' ]] && words+=("")
    actual=$(offers "${words[@]}")
    if [[ $actual == "$expected" ]]; then
        echo "ok: [$line]"
    else
        echo "FAILED: [$line] offered [$actual], expected [$expected]"
        failures=$((failures + 1))
    fi
done <<'TABLE'
-le|-left -lefttitle
-LE|-left -lefttitle
/ri|/right /righttitle
-s|-silent
--|--help --version
-x|
-left |-odd.xml base.xml left.xml sub
-LEFT l|left.xml
/base b|base.xml
-result s|sub
-report |- -odd.xml base.xml left.xml sub
-report -|- -odd.xml
-lefttitle |
-markersize |
-mark|-markers -markersize
-compare -left left.xml -r|-report -result -right -righttitle
TABLE

# The options in the usage against those the completion offers for a bare "-".
usage_options=$(bash "$here/usage_options.sh" "$quillmere")
completed_options=$(offers - | tr ' ' '\n' | sort | paste -sd' ')
if [[ $usage_options == "$completed_options" ]]; then
    echo "ok: the options of the usage"
else
    echo "FAILED: the usage lists [$usage_options], the completion offers [$completed_options]"
    failures=$((failures + 1))
fi

((failures == 0)) || { echo "$failures failed"; exit 1; }
