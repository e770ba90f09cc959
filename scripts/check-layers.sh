#!/usr/bin/env bash
# Checks that includes between the folders of src/ only run downwards:
#   core <- platform <- criteria <- folders <- results <- search <- shell
# that nothing outside src/shell/ includes the window, and that the docs' layer tables match the
# folders. Prints each offence; exits 1 if any.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=(core platform criteria folders results search shell)
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }
bad=0
for folder in "${layers[@]}"; do
  own=$(rank "$folder")
  while IFS=: read -r file included; do
    target=${included%%/*}
    if [ "$(rank "$target")" -gt "$own" ]; then
      echo "upward include: $file includes $included"
      bad=1
    fi
  done < <(grep -Ho '^#include "[a-z]*/[A-Za-z0-9_]*\.h"' "$folder"/* 2>/dev/null | sed 's/#include "//; s/"$//')
done
if grep -l '#include "shell/Form1.h"' -r . | grep -v '^./shell/'; then
  echo "the files above include shell/Form1.h from outside src/shell/"
  bad=1
fi
# The layer tables of the docs: each folder's row names only its own headers and the rows come in the
# layer order; design.md's table names every header of its folder.
check_table() { # doc, whether every header must be named
  local doc=$1 complete=$2 order=() folder row name
  while IFS= read -r row; do
    folder=$(sed -E 's/^\| `(src\/)?([a-z]+)\/` \|.*/\2/' <<<"$row")
    order+=("$folder")
    for name in $(grep -o '`[A-Z][A-Za-z0-9]*`' <<<"$row" | tr -d '`' | sort -u); do
      home=$(ls -d ./*/"$name.h" 2>/dev/null | cut -d/ -f2 || true)
      if [ -n "$home" ] && [ "$home" != "$folder" ]; then
        echo "$doc: the row of $folder/ names $name, which is in $home/"
        bad=1
      fi
    done
    if [ "$complete" = yes ]; then
      for header in "$folder"/*.h; do
        name=$(basename "$header" .h)
        if ! grep -q "\`$name\`" <<<"$row"; then
          echo "$doc: the row of $folder/ does not name $name"
          bad=1
        fi
      done
    fi
  done < <(grep -E '^\| `(src/)?[a-z]+/` \|' "../$doc")
  if [ "${order[*]}" != "${layers[*]}" ]; then
    echo "$doc: the table's folders are ${order[*]}, not ${layers[*]}"
    bad=1
  fi
}
check_table docs/design.md yes
check_table CONTRIBUTING.md no
[ "$bad" -eq 0 ] && echo "layers: every include runs downwards, and the docs' tables say where each file is"
exit "$bad"
