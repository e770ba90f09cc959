#!/usr/bin/env bash
# What the skipping rules cost when they skip nothing: the every-file search of the benchmark tree
# without a window, plain, with ten --exclude patterns that match no name in it, and with -x (the tree
# lies on one file system), all three in the same run, taking turns in a rotating order so that a
# machine whose speed drifts slows all of them alike. Prints each median and its ratio to the plain
# search's (the aim: within 1.03). Warm caches, after one untimed run of each.
#   bench/search/skip.sh [TREE] [RUNS]
# The tree (default /tmp/zorvik-bench-tree) is the one bench/search/run.sh generates and reuses.
set -euo pipefail
cd "$(dirname "$0")/../.."
TREE=${1:-/tmp/zorvik-bench-tree}
RUNS=${2:-7}
source scripts/build-env.sh
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik zorvik_make_tree >/dev/null
[ -d "$TREE" ] || build/release/bench/search/zorvik_make_tree "$TREE"
ZORVIK=$PWD/build/release/src/zorvik

# Ten patterns of the kinds people write, none of which any name of the generated tree matches.
PATTERNS=(node_modules .git '*.o' '*.pyc' __pycache__ '.cache' 'target' '*~' '#*#' '[Tt]humbs.db')
EXCLUDES=()
for pattern in "${PATTERNS[@]}"; do EXCLUDES+=(-E "$pattern"); done

command_of() { # CASE
    case "$1" in
    plain) echo "$ZORVIK --print --less-than 99999999999999" ;;
    patterns) echo "$ZORVIK --print --less-than 99999999999999 ${EXCLUDES[*]}" ;;
    one-fs) echo "$ZORVIK --print --less-than 99999999999999 -x" ;;
    esac
}

seconds_of() { # CASE: wall seconds of one run
    local start=$EPOCHREALTIME status=0
    set -f # the patterns go to zorvik as they are
    $(command_of "$1") "$TREE" >/dev/null || status=$?
    set +f
    local end=$EPOCHREALTIME
    if [ "$status" -gt 1 ]; then
        echo "failed ($status): $1" >&2
        exit 1
    fi
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

CASES=(plain patterns one-fs)
declare -A times
for c in "${CASES[@]}"; do seconds_of "$c" >/dev/null; done # warm the caches
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((run = 0; run < RUNS; run++)); do
    for ((i = 0; i < ${#CASES[@]}; i++)); do
        c=${CASES[$(((run + i) % ${#CASES[@]}))]}
        times[$c]+="$(seconds_of "$c") "
    done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
plain=$(tr ' ' '\n' <<<"${times[plain]}" | grep . | median)
for c in "${CASES[@]}"; do
    m=$(tr ' ' '\n' <<<"${times[$c]}" | grep . | median)
    awk -v c="$c" -v m="$m" -v p="$plain" 'BEGIN { printf "  %-9s %.3f s (median of %d)  ratio %.3f\n", c, m, '"$RUNS"', m / p }'
done
