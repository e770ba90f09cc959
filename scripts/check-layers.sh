#!/usr/bin/env bash
# Checks that includes between the folders of src/ only run downwards:
#   core <- platform <- criteria <- folders <- results <- search <- shell
# and that nothing outside src/shell/ includes the window. Prints each offence; exits 1 if any.
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
[ "$bad" -eq 0 ] && echo "layers: every include runs downwards"
exit "$bad"
