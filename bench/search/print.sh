#!/usr/bin/env bash
# Times the search without a window, `zorvik --print`, against GNU find and fd (Debian's fd-find, run as
# fdfind with two threads) asking the same question of the same tree, all three writing to /dev/null,
# and prints the ratios of the medians. Warm: after one untimed run of each. Cold (as root only): the
# page, folder and inode caches are emptied (sync, then 3 into /proc/sys/vm/drop_caches) before every
# timed run of every contender. The three take turns, in a rotating order, so that a machine whose
# speed drifts slows all of them alike; the load average is printed before and after each case.
#   bench/search/print.sh [TREE] [RUNS]     (RUNS: timed runs of each, warm; cold takes 3 at most)
#   ZORVIK_BENCH_COLD=0  warm cases only
# The tree (default /tmp/zorvik-bench-tree) is the one bench/search/run.sh generates and reuses.
#
# between: zorvik --print --between 101 200           find -type f -size +100c -size -201c
#          fdfind -u -j2 -t f -S +101b -S -200b
# all:     zorvik --print --less-than 99999999999999  find ! -type d -size -99999999999999c
#          fdfind -u -j2 -t f -S -99999999999999b     (every file: each tool writes a million paths)
set -euo pipefail
cd "$(dirname "$0")/../.."
TREE=${1:-/tmp/zorvik-bench-tree}
RUNS=${2:-5}
bash scripts/deps.sh fd-find
source scripts/build-env.sh
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik zorvik_make_tree >/dev/null
[ -d "$TREE" ] || build/release/bench/search/zorvik_make_tree "$TREE"
ZORVIK=$PWD/build/release/src/zorvik

command_of() { # CASE TOOL
    case "$1:$2" in
    between:zorvik) echo "$ZORVIK --print --between 101 200 $TREE" ;;
    between:find) echo "find $TREE -type f -size +100c -size -201c" ;;
    between:fd) echo "fdfind -u -j2 -t f -S +101b -S -200b . $TREE" ;;
    all:zorvik) echo "$ZORVIK --print --less-than 99999999999999 $TREE" ;;
    all:find) echo "find $TREE ! -type d -size -99999999999999c" ;;
    all:fd) echo "fdfind -u -j2 -t f -S -99999999999999b . $TREE" ;;
    esac
}

empty_caches() { sync; echo 3 >/proc/sys/vm/drop_caches; }

seconds_of() { # COMMAND...: wall seconds; a failure other than "nothing found" ends the benchmark
    local start=$EPOCHREALTIME status=0
    "$@" >/dev/null || status=$?
    local end=$EPOCHREALTIME
    if [ "$status" -gt 1 ]; then
        echo "failed ($status): $*" >&2
        exit 1
    fi
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
range() { sort -n | awk 'NR == 1 { a = $1 } { b = $1 } END { printf "%s-%s", a, b }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

tools=(zorvik find fd)
measure() { # CASE warm|cold RUNS
    local case=$1 cache=$2 runs=$3 run i tool
    declare -A times=()
    echo "== $case, $cache, $runs runs each; load before: $(load)"
    for tool in "${tools[@]}"; do # the same answer from each, and warm caches for the warm case
        echo "   $tool: $(eval "$(command_of "$case" "$tool")" | wc -l) paths: $(command_of "$case" "$tool")"
    done
    for ((run = 0; run < runs; run++)); do
        for ((i = 0; i < 3; i++)); do
            tool=${tools[$(((run + i) % 3))]}
            [ "$cache" = cold ] && empty_caches
            # shellcheck disable=SC2046 # the command's words, split as written above
            times[$tool]+="$(seconds_of $(command_of "$case" "$tool")) "
        done
    done
    declare -A med=()
    for tool in "${tools[@]}"; do
        med[$tool]=$(tr ' ' '\n' <<<"${times[$tool]}" | grep . | median)
        printf '   %-6s median %7.3f s   (%s s)\n' "$tool" "${med[$tool]}" \
            "$(tr ' ' '\n' <<<"${times[$tool]}" | grep . | range)"
    done
    local target_find=0.60 target_fd=1.0
    awk -v z="${med[zorvik]}" -v f="${med[find]}" -v d="${med[fd]}" -v c="$cache" -v tf="$target_find" \
        -v td="$target_fd" 'BEGIN {
            printf "   ratio zorvik/find %.2f%s   zorvik/fd %.2f (target <= %s)\n", z / f,
                   c == "warm" ? " (target <= " tf ")" : "", z / d, td }'
    echo "   load after: $(load)"
}

for case in between all; do
    measure "$case" warm "$RUNS"
    if [ "${ZORVIK_BENCH_COLD:-1}" = 0 ]; then
        echo "== $case, cold: skipped (ZORVIK_BENCH_COLD=0)"
    elif [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; then
        measure "$case" cold "$((RUNS < 3 ? RUNS : 3))"
    else
        echo "== $case, cold: skipped (emptying the caches needs root)"
    fi
done
