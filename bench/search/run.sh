#!/bin/sh
# Builds the release preset and times a search of a generated tree against GNU find, with warm caches
# and, where this runs as root, with caches emptied before every timed run.
#   bench/search/run.sh [TREE] [generator options...]
#   ZORVIK_BENCH_THREADS=N  the search's read-ahead threads (default: the program's own choice)
# The tree (default /tmp/zorvik-bench-tree: 1,000,000 files in 50,000 folders, depth 8) is generated
# once and reused.
set -eu
cd "$(dirname "$0")/../.."
TREE=${1:-/tmp/zorvik-bench-tree}
[ $# -gt 0 ] && shift
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik_make_tree zorvik_bench_search
if [ ! -d "$TREE" ]; then
    build/release/bench/search/zorvik_make_tree "$TREE" "$@"
fi
THREADS=${ZORVIK_BENCH_THREADS:+--threads $ZORVIK_BENCH_THREADS}
for CASE in between all; do
    build/release/bench/search/zorvik_bench_search "$TREE" --case "$CASE" --runs 3 $THREADS
    build/release/bench/search/zorvik_bench_search "$TREE" --case "$CASE" --runs 3 --cold --no-probe $THREADS
done
bash bench/search/print.sh "$TREE" 3 # the search without a window, against find and fd
bash bench/search/skip.sh "$TREE" 5  # what skipping rules that skip nothing cost
# The same question over a network share (sshfs on the loopback, then 2 and 10 ms round trips).
[ "${ZORVIK_BENCH_SHARE:-1}" = 0 ] || bash bench/search/run-share.sh
