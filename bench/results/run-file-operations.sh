#!/bin/sh
# Builds the release preset and times the move and the trash of COUNT small files (100,000 unless
# told) in a fresh folder below ROOT (/tmp unless told), each operation flushed as it goes.
#   bench/results/run-file-operations.sh [COUNT] [ROOT]
set -eu
cd "$(dirname "$0")/../.."
COUNT=${1:-100000}
ROOT=$(mktemp -d "${2:-/tmp}/zorvik-bench-files-XXXXXX")
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik_bench_file_operations
/usr/bin/time -f "%e s in all, %U s user, %S s system" \
    build/release/bench/results/zorvik_bench_file_operations "$ROOT" "$COUNT"
rm -rf -- "$ROOT"
