#!/usr/bin/env bash
# The checks CI makes besides the tests: clang-format on every tracked C++ file, then clang-tidy (with
# the checks of .clang-tidy) on every source file of src/, tests/ and bench/. Any finding fails.
# Usage: scripts/lint.sh [source files...]   (clang-tidy on these only; on all of them by default)
# LINT_JOBS sets how many files clang-tidy checks at once (2 by default, the machine's cores).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${LINT_JOBS:-2}
bash scripts/deps.sh clang-format clang-tidy
source scripts/build-env.sh

# Both tools of the release that deps.sh installs on Debian 12, so that another default on PATH
# cannot disagree with CI.
format=clang-format-14
tidy=clang-tidy-14
command -v "$format" >/dev/null || format=clang-format
command -v "$tidy" >/dev/null || tidy=clang-tidy

mapfile -t all < <(git ls-files '*.cpp' '*.h')
echo "lint: clang-format on ${#all[@]} files"
"$format" --dry-run --Werror "${all[@]}"

# clang-tidy reads the compile commands of the dev build and needs the headers that moc generates in
# it. The whole build is made, not only moc's targets: those depend on the libraries anyway, and
# scripts/test.sh dev then finds it done.
build=build/dev
if [ ! -f "$build/compile_commands.json" ]; then
  cmake --preset dev >/dev/null
fi
cmake --build --preset dev

if [ $# -gt 0 ]; then
  sources=("$@")
else
  mapfile -t sources < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp')
fi
# A file that passed before with the same content, the same project headers, the same flags, checks and
# tools passes again: such files are not checked again. The key ignores where the clone lies.
cache=${ZORVIK_LINT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zorvik-lint}
mkdir -p "$cache"
common=$( { "$tidy" --version; cat .clang-tidy; dpkg-query -W qt6-base-dev libgtest-dev 2>/dev/null || true
            git ls-files -z '*.h' | xargs -0 cat; sed "s#$PWD#.#g" "$build/compile_commands.json"; } |
          sha256sum | cut -d' ' -f1)
todo=()
for source in "${sources[@]}"; do
  key=$( { echo "$common $source"; cat "$source"; } | sha256sum | cut -d' ' -f1)
  [ -f "$cache/$key" ] || todo+=("$source:$key")
done
echo "lint: clang-tidy on ${#todo[@]} of ${#sources[@]} files (the others passed unchanged before), $jobs at a time"
start=$SECONDS
# Each file's findings are printed together once it is done; xargs exits non-zero if any file had one.
status=0
[ ${#todo[@]} -eq 0 ] || printf '%s\n' "${todo[@]}" |
  xargs -P "$jobs" -I{} sh -c 'file=${2%:*}; key=${2##*:}
                               out=$("$0" -p "$1" --quiet --warnings-as-errors="*" "$file" 2>&1) && touch "$3/$key" && exit 0
                               printf "%s\n\n" "$out" | grep -v "warnings* generated\.$"; exit 1' \
        "$tidy" "$build" {} "$cache" || status=$?
echo "lint: clang-tidy took $((SECONDS - start)) s"
if [ "$status" -ne 0 ]; then
  echo "lint: clang-tidy found problems (above)" >&2
  exit 1
fi
echo "lint: clean"
