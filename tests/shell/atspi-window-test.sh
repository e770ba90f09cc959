#!/usr/bin/env bash
# The window through the real accessibility bus (tests/shell/atspi_window_test.py), on a display and a
# session bus of its own, in a throw-away home. Everything it starts is stopped however it ends.
# Usage: tests/shell/atspi-window-test.sh BUILD_FOLDER [--dump]
set -euo pipefail
build=$(realpath "${1:?usage: atspi-window-test.sh BUILD_FOLDER [--dump]}")
shift
here=$(dirname "$(realpath "$0")")
bash "$here/../../scripts/deps.sh" xvfb x11-utils dbus-daemon at-spi2-core python3-pyatspi

work=$(mktemp -d /tmp/zorvik-atspi.XXXXXX)
xvfb_pid=
session_pid=
cleanup() {
    # The session's process group holds the buses, the registry and the program, and outlives the
    # session's first process when the buses' launcher lingers.
    [ -n "$session_pid" ] && kill -- "-$session_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display itself and names it on descriptor 3 once it listens.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[ -s "$work/display" ] || { echo "atspi: Xvfb did not start" >&2; exit 1; }

mkdir -p "$work/config" "$work/data" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
status=0
DISPLAY=":$(head -n1 "$work/display")" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" \
    setsid --wait dbus-run-session -- /usr/bin/python3 "$here/atspi_window_test.py" "$build/src/zorvik" "$work" "$@" \
    2> >(grep -v -e '^dbus-daemon\[' -e 'SpiRegistry daemon is running' -e 'at-spi2-registryd' -e '^$' >&2) &
session_pid=$!
wait "$session_pid" || status=$?
exit "$status"
