#!/usr/bin/env bash
# A folder of this machine served as a network share for the benchmarks and tests: sshd on 127.0.0.1
# with its own host and client keys and configuration in a temporary folder, the folder mounted there
# with sshfs, optionally through delay_relay.py for a longer round trip. Source it, then:
#   share_start DIR_TO_SERVE [ROUND_TRIP_MS]   sets SHARE_MOUNT (and SHARE_HOME, the temporary folder)
#   share_remount                              a fresh sshfs: its caches and the kernel's are empty
#                                              (also the command $SHARE_HOME/remount)
#   share_freeze / share_thaw                  stop / continue the server's session processes
#   share_stop                                 unmount, stop the relay and sshd, remove the folder
# share_stop is safe to call more than once and from a trap. Needs root, FUSE, sshd and sshfs.
# SHARE_SSHFS_OPTIONS, if set, adds mount options (e.g. max_conns=4) to see what limits the share.

share_port() { # a free port on the loopback
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

share_start() {
  local served=$1 round_trip=${2:-0}
  SHARE_HOME=$(mktemp -d /tmp/zorvik-share-XXXXXX)
  SHARE_MOUNT=$SHARE_HOME/mnt
  SHARE_SERVED=$served
  mkdir -p "$SHARE_MOUNT" /run/sshd
  ssh-keygen -q -t ed25519 -N '' -f "$SHARE_HOME/host_key"
  ssh-keygen -q -t ed25519 -N '' -f "$SHARE_HOME/client_key"
  cp "$SHARE_HOME/client_key.pub" "$SHARE_HOME/authorized_keys"
  SHARE_SSHD_PORT=$(share_port)
  cat >"$SHARE_HOME/sshd_config" <<CONFIG
Port $SHARE_SSHD_PORT
ListenAddress 127.0.0.1
HostKey $SHARE_HOME/host_key
AuthorizedKeysFile $SHARE_HOME/authorized_keys
PidFile $SHARE_HOME/sshd.pid
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
Subsystem sftp /usr/lib/openssh/sftp-server
CONFIG
  /usr/sbin/sshd -f "$SHARE_HOME/sshd_config" -E "$SHARE_HOME/sshd.log" || return 1
  SHARE_PORT=$SHARE_SSHD_PORT
  if [ "$round_trip" != 0 ]; then
    SHARE_PORT=$(share_port)
    python3 "$(dirname "${BASH_SOURCE[0]}")/delay_relay.py" "$SHARE_PORT" "$SHARE_SSHD_PORT" \
      "$(python3 -c "print($round_trip / 2)")" &
    SHARE_RELAY_PID=$!
    for _ in $(seq 100); do # until it listens
      python3 -c "import socket; socket.create_connection(('127.0.0.1', $SHARE_PORT)).close()" 2>/dev/null && break
      sleep 0.05
    done
  fi
  share_mount
}

# Writes $SHARE_HOME/remount, a command of its own that mounts the share afresh (for --prepare), and
# mounts it.
share_mount() {
  cat >"$SHARE_HOME/remount" <<SCRIPT
#!/bin/sh
fusermount3 -u '$SHARE_MOUNT' 2>/dev/null
exec sshfs -p '$SHARE_PORT' 'root@127.0.0.1:$SHARE_SERVED' '$SHARE_MOUNT' \\
  -o 'IdentityFile=$SHARE_HOME/client_key,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null' \\
  -o BatchMode=yes,LogLevel=ERROR ${SHARE_SSHFS_OPTIONS:+-o '$SHARE_SSHFS_OPTIONS'}
SCRIPT
  chmod +x "$SHARE_HOME/remount"
  "$SHARE_HOME/remount"
}

share_remount() { "$SHARE_HOME/remount"; }

# The server's session processes: sshd's children and theirs (the sftp-server).
share_sessions() {
  local sshd child
  sshd=$(cat "$SHARE_HOME/sshd.pid" 2>/dev/null) || return 0
  for child in $(pgrep -P "$sshd"); do
    echo "$child"
    pgrep -P "$child"
  done
}
share_freeze() { kill -STOP $(share_sessions); }
share_thaw() { kill -CONT $(share_sessions) 2>/dev/null || true; }

share_stop() {
  [ -n "${SHARE_HOME:-}" ] && [ -d "$SHARE_HOME" ] || return 0
  share_thaw
  fusermount3 -u "$SHARE_MOUNT" 2>/dev/null || umount -l "$SHARE_MOUNT" 2>/dev/null || true
  [ -n "${SHARE_RELAY_PID:-}" ] && kill "$SHARE_RELAY_PID" 2>/dev/null
  [ -f "$SHARE_HOME/sshd.pid" ] && kill "$(cat "$SHARE_HOME/sshd.pid")" 2>/dev/null
  rm -rf "$SHARE_HOME"
  SHARE_HOME= SHARE_RELAY_PID=
}
