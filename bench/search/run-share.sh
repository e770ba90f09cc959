#!/usr/bin/env bash
# Times a search over a network share against GNU find over the same share, in the same run: sshd on
# 127.0.0.1 serves the tree, sshfs mounts it (share.sh), and for a longer round trip a relay holds
# every packet for half of it each way (delay_relay.py). Cold: the share is mounted afresh and the
# caches emptied before every timed run of every contender (the server's own cache stays warm, as a
# file server's does); at the loopback's own round trip also warm.
#   bench/search/run-share.sh [TREE] [ROUND_TRIP_MS...]   (default round trips: 0 2 10)
#   ZORVIK_SHARE_RUNS=N  timed runs of each contender (default 3)
# The tree (default /tmp/zorvik-bench-share-tree: 50,000 files in 2,500 folders) is generated once.
# Needs root and FUSE; says so and skips without them.
set -euo pipefail
cd "$(dirname "$0")/../.."
TREE=${1:-/tmp/zorvik-bench-share-tree}
[ $# -gt 0 ] && shift
TRIPS=("$@")
[ ${#TRIPS[@]} -eq 0 ] && TRIPS=(0 2 10)
RUNS=${ZORVIK_SHARE_RUNS:-3}
if [ "$(id -u)" -ne 0 ] || [ ! -c /dev/fuse ]; then
  echo "share cases: skipped, they need root and /dev/fuse"
  exit 0
fi
bash scripts/deps.sh openssh-server sshfs
cmake --preset release >/dev/null
cmake --build build/release -j2 --target zorvik_make_tree zorvik_bench_search
bench=build/release/bench/search/zorvik_bench_search
[ -d "$TREE" ] || build/release/bench/search/zorvik_make_tree "$TREE" --files 50000 --folders 2500

source bench/search/share.sh
trap share_stop EXIT
for trip in "${TRIPS[@]}"; do
  share_start "$TREE" "$trip"
  if [ "$trip" = 0 ]; then
    label="sshfs on the loopback"
    "$bench" "$SHARE_MOUNT" --case between --runs "$RUNS" --label "$label" --no-probe
  else
    label="sshfs, $trip ms round trip"
  fi
  "$bench" "$SHARE_MOUNT" --case between --runs "$RUNS" --cold --prepare "$SHARE_HOME/remount" --label "$label"
  share_stop
done
