#!/usr/bin/env bash
# End to end over a real network share that stops answering: sshd on 127.0.0.1 serves a tree, sshfs
# mounts it (bench/search/share.sh), and tests/search/dead_share_probe.cpp drives the real window: the
# server's processes are stopped mid-search, then Stop is pressed, then a second search is started and
# the window closed during it. Passes when Stop brings "Done." within 1 s and the program has ended
# within 1 s of the closing (its process a zombie at most: the kernel keeps a thread that waits for a
# FUSE answer until the share answers or is unmounted, whatever the program does).
# Wall-clock bounds are what this test proves. Exit 77 (skipped) without root, FUSE, sshd or sshfs.
# The mount, the server and the files go however it ends.
#   tests/search/dead-share.sh PROBE_PROGRAM
set -euo pipefail
probe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
skip() {
  echo "skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "needs root (sshd and mounts)"
[ -c /dev/fuse ] || skip "no /dev/fuse"
command -v sshfs >/dev/null && [ -x /usr/sbin/sshd ] || skip "sshfs or sshd missing: scripts/deps.sh openssh-server sshfs"

source "$here/../../bench/search/share.sh"
scratch=$(mktemp -d /tmp/zorvik-dead-share-XXXXXX)
probe_pid=
cleanup() {
  share_stop # continues the server first, so a probe still waiting in the kernel can end
  if [ -n "$probe_pid" ]; then
    kill -KILL "$probe_pid" 2>/dev/null || true
    wait "$probe_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

python3 - "$scratch/tree" <<'TREE'
import os, sys
for i in range(300):
    folder = os.path.join(sys.argv[1], "d%03d" % i, "inner")
    os.makedirs(folder)
    for j in range(20):
        open(os.path.join(folder, "f%d" % j), "w").close()
TREE
# A 2 ms round trip: the search is still under way when the server stops.
share_start "$scratch/tree" 2 || skip "sshd or sshfs would not start"
mkdir -p "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
: >"$scratch/out"
XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen \
  "$probe" "$SHARE_MOUNT" $(share_sessions) >"$scratch/out" 2>&1 &
probe_pid=$!

ended() { # the program's own threads are done: its process is gone or a zombie
  local state
  state=$(awk '{print $3}' "/proc/$probe_pid/stat" 2>/dev/null) || return 0
  [ -z "$state" ] || [ "$state" = Z ]
}
deadline=$((SECONDS + 120))
until grep -q '^closing$' "$scratch/out" || ended; do
  [ $SECONDS -lt $deadline ] || { cat "$scratch/out"; echo "FAIL: the probe never closed the window"; exit 1; }
  sleep 0.01
done
closed=$(date +%s%N)
until ended; do
  if [ $(( ($(date +%s%N) - closed) / 1000000 )) -gt 1000 ]; then
    cat "$scratch/out"
    echo "FAIL: the program was still running 1 s after its window closed"
    exit 1
  fi
  sleep 0.01
done
closing_ms=$(( ($(date +%s%N) - closed) / 1000000 ))
share_thaw
wait "$probe_pid" && status=0 || status=$?
probe_pid=
cat "$scratch/out"
echo "closing to end of the program: $closing_ms ms (exit status $status)"
grep -q '^notices: Done\.$' "$scratch/out" || { echo "FAIL: Stop did not end with Done. alone"; exit 1; }
stop_ms=$(sed -n 's/^stop to end of search: \([0-9]*\) ms$/\1/p' "$scratch/out")
[ -n "$stop_ms" ] && [ "$stop_ms" -le 1000 ] || { echo "FAIL: Stop took over 1 s to end the search"; exit 1; }
[ "$status" -eq 0 ] || { echo "FAIL: the program's exit status was $status"; exit 1; }
echo "PASS"
