#!/bin/sh
# Builds the release preset and times the result commands over 1,000,000 and then 10,000,000 rows made
# up without a file system, then weighs the second run against the first: each command's 10M/1M time
# (aim: at most 12x), the peak RSS at 10M (aim: at most 600 MB) and the longest gap between passes of
# the event loop (aim: at most 50 ms).
#   bench/results/run-ten-million.sh
set -eu
cd "$(dirname "$0")/../.."
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik_bench_many_rows
OUT=$(mktemp -d /tmp/zorvik-bench-rows-XXXXXX)
trap 'rm -rf -- "$OUT"' EXIT
for ROWS in 1000000 10000000; do
    echo "== $ROWS rows"
    build/release/bench/results/zorvik_bench_many_rows "$ROWS" | tee "$OUT/$ROWS"
done
echo "== 10M against 1M"
awk '
    function verdict(ok) { return ok ? "ok" : "MISSED" }
    $3 == "s" && $5 == "ms" {
        if (FNR == NR) { small[$1] = $2; next }
        keys[++n] = $1; time[$1] = $2; gap[$1] = $4; peak = $6
    }
    FNR != NR && $1 == "rss-rows" { rows = $2 }
    END {
        printf "%-20s %10s %16s\n", "command", "10M/1M", "gap at 10M"
        for (i = 1; i <= n; ++i) {
            k = keys[i]
            ratio = small[k] > 0 ? time[k] / small[k] : 0
            printf "%-20s %8.1fx %-6s %8.1f ms %s\n", k, ratio, verdict(ratio <= 12), gap[k], verdict(gap[k] <= 50)
        }
        printf "peak RSS at 10M with the rows in %.1f MB %s\n", rows, verdict(rows <= 600)
        printf "peak RSS at 10M over the run     %.1f MB %s\n", peak, verdict(peak <= 600)
    }' "$OUT/1000000" "$OUT/10000000"
