#!/usr/bin/env bash
# Prints, sorted on one line, the options the program's usage lists: the
# "-name" words that begin its indented lines. Usage: usage_options.sh QUILLMERE
set -euo pipefail
"$1" --help | grep -oE '^  -{1,2}[a-z]+(, --[a-z]+)?' | grep -oE -- '-{1,2}[a-z]+' |
  sort -u | paste -sd' '
