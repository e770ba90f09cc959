#!/usr/bin/env bash
# Checks that the manual page names every option that the program's --help prints.
#   scripts/check-man-page.sh PROGRAM MANPAGE
set -euo pipefail
program=$1
page=$2
options=$("$program" --help | grep -o -- '--*[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "--help printed no option"; exit 1; }
# troff writes a minus sign as \-; compare the rendered words instead of the source.
rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
missing=0
for option in $options; do
    if ! grep -q -- "$option" <<<"$rendered"; then
        echo "not in the manual page: $option"
        missing=1
    fi
done
exit "$missing"
