#!/usr/bin/env bash
# A user's session with the result commands on a real X server (Xvfb): search a small tree, prune the
# list by a text, save it, copy a checked row, send one file to the trash and move one to a folder, then
# open the move's folder picker again to see the folder offered. Checks what reached the disk, the trash
# and the clipboard, and keeps a picture of each dialog in the work folder it prints.
# Usage: tests/results/desktop-walkthrough.sh BUILD_FOLDER   (the folder holding src/zorvik)
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_FOLDER}" && pwd)
program="$build/src/zorvik"

work=$(mktemp -d /tmp/zorvik-walk.XXXXXX)
tree="$work/tree"
display_number=${ZORVIK_WALK_DISPLAY:-96}
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
failures=0
check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then echo "ok:   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

for name in alpha.jpg beta.jpg gamma.txt delta.log; do
    mkdir -p "$tree/photos"
    head -c $((600 * 1024)) /dev/urandom >"$tree/photos/$name"
done
mkdir -p "$work/moved" "$work/config" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"

source "$(dirname "$0")/../../scripts/x11-session.sh"
start_xvfb "$display_number" "$work/xvfb.log"

shot() { # window picture-name
    import -window "$1" "$work/$2.png" 2>/dev/null || true
}
answer() { # title picture-name keys...: waits for the box, pictures it, types the keys into it
    local box title=$1 picture=$2
    shift 2
    box=$(window_named "$title" "$main")
    sleep 0.4
    xdotool windowfocus --sync "$box"
    shot "$box" "$picture"
    for keys in "$@"; do
        case $keys in
        type:*) xdotool type --delay 15 "${keys#type:}" ;;
        *) xdotool key "$keys" ;;
        esac
    done
    sleep 0.6
}

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb "$program" >"$work/zorvik.log" 2>&1 &
app_pid=$!
main=$(window_named Zorvik)
sleep 1

# The tree, every file greater than 500 KB.
click "$main" 268 141
answer "Add Folder to Search" picker ctrl+a "type:$tree" Return
xdotool windowfocus --sync "$main"
click "$main" 30 228
click "$main" 150 228
xdotool key ctrl+a
xdotool type --delay 15 500
click "$main" 220 228
xdotool key Down Return
click "$main" 268 342
answer Zorvik search-done Return

# Prune: without ".log", then save what is left.
click "$main" 136 575
answer Zorvik filter-input "type:.LOG" Return
click "$main" 136 504
answer Save save-dialog ctrl+a "type:$work/list.txt" Return
answer Zorvik save-done Return
check "saved three rows with CR LF, no .log row" \
    test "$(tr -d '\r' <"$work/list.txt" | sort | tr '\n' ' ')" = \
    "$tree/photos/alpha.jpg $tree/photos/beta.jpg $tree/photos/gamma.txt "
check "every saved line ends in CR LF" test "$(grep -c $'\r$' "$work/list.txt")" = 3

# Tick the first row and copy; the clipboard is read while the program still owns it.
xdotool windowfocus --sync "$main"
first=$(head -n 1 "$work/list.txt" | tr -d '\r')
click "$main" 18 391
click "$main" 136 539
answer Zorvik copy-done Return
clip=$(xclip -o -selection clipboard 2>/dev/null || true)
check "the checked row reached the clipboard" test "${clip%%[[:space:]]*}" = "$first"

# Trash the ticked first row: one question, then the file is in the trash with its information file.
click "$main" 136 611
answer Zorvik trash-question alt+y
name=$(basename "$first")
check "the file left its folder" test ! -e "$first"
check "the file is in the home trash" test -f "$work/data/Trash/files/$name"
check "its .trashinfo names where it was" grep -qx "Path=$first" "$work/data/Trash/info/$name.trashinfo"

# Move the (new) first row into another folder; the picker offers that folder the next time.
xdotool windowfocus --sync "$main"
second=$(sed -n 2p "$work/list.txt" | tr -d '\r')
click "$main" 18 391
click "$main" 408 611
answer "Move Checked Files To" move-picker ctrl+a "type:$work/moved" Return
sleep 0.5
check "the file was moved" test -f "$work/moved/$(basename "$second")" -a ! -e "$second"
check "the folder was remembered" grep -q "LastFolder=$work/moved" -r "$work/config"
xdotool windowfocus --sync "$main"
click "$main" 408 611
answer "Move Checked Files To" move-picker-again Escape
shot "$main" final

echo "pictures and logs in $work"
[ "$failures" -eq 0 ]
