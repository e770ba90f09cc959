#!/bin/sh
# Builds the release preset and times the result commands on the million rows of the search
# benchmark's tree (generated first if missing).
#   bench/results/run.sh [TREE]
set -eu
cd "$(dirname "$0")/../.."
TREE=${1:-/tmp/zorvik-bench-tree}
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik_make_tree zorvik_bench_results
if [ ! -d "$TREE" ]; then
    build/release/bench/search/zorvik_make_tree "$TREE"
fi
build/release/bench/results/zorvik_bench_results "$TREE"
