#!/usr/bin/env bash
# Takes the README's screenshots from the real window: builds the release preset, starts Zorvik under
# Xvfb on a small generated folder tree, adds the folder through the folder dialog, runs a search,
# sorts the results by size and saves docs/screenshot-main.png (plain look, with the result list's
# context menu open), docs/screenshot-skin.png (the example skin), and the plain window in German and
# French, docs/screenshot-de.png (menu open) and docs/screenshot-fr.png, the window grown to
# 1600x1000 over a long result list, docs/screenshot-large.png, and docs/screenshot-skip.png, the
# folder list with a folder marked skipped through its context menu.
# Usage: scripts/screenshots.sh            (ZORVIK_SHOTS_BUILD=<folder> builds a release there instead;
#                                           ZORVIK_SHOTS_BUILT=<folder> takes the program already built
#                                           there; ZORVIK_SHOTS="de fr" takes only those of main skin de
#                                           fr large skip)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh xvfb xauth xdotool imagemagick x11-utils
if [ -n "${ZORVIK_SHOTS_BUILT:-}" ]; then
    build=$ZORVIK_SHOTS_BUILT
elif [ -n "${ZORVIK_SHOTS_BUILD:-}" ]; then
    build=$ZORVIK_SHOTS_BUILD
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j2 --target zorvik
else
    build=build/release
    cmake --preset release >/dev/null
    cmake --build --preset release --target zorvik
fi

# Full paths: some machines put stand-ins for ImageMagick's tools earlier on the PATH.
import=/usr/bin/import
convert=/usr/bin/convert

work=$(mktemp -d /tmp/zorvik-shots.XXXXXX)
demo=/tmp/zorvik-demo # a short, fixed path reads better in the picture than a random one
archive=$demo/Archive # the long list of the large window's picture, made only for it
display_number=97
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work" "$demo"
}
trap cleanup EXIT

# A small tree: a few files of every size class, some folders deep.
make_file() { # path size-in-bytes
    mkdir -p "$(dirname "$1")"
    head -c "$2" /dev/zero >"$1"
}
rm -rf "$demo"
make_file "$demo/Photos/2023/beach.jpg" $((2300 * 1024))
make_file "$demo/Photos/2023/thumbs/beach-small.jpg" $((38 * 1024))
make_file "$demo/Photos/2024/mountains.jpg" $((3100 * 1024))
make_file "$demo/Photos/2024/mountains.xmp" 1200
make_file "$demo/Music/album/01 Opening.flac" $((24 * 1024 * 1024))
make_file "$demo/Music/album/02 Interlude.flac" $((9 * 1024 * 1024))
make_file "$demo/Music/album/cover.png" $((640 * 1024))
make_file "$demo/Documents/report.pdf" $((1800 * 1024))
make_file "$demo/Documents/notes.txt" 4200
make_file "$demo/Documents/budget.ods" $((96 * 1024))
make_file "$demo/Downloads/installer.iso" $((48 * 1024 * 1024))
make_file "$demo/Downloads/readme.txt" 800

source scripts/x11-session.sh
start_xvfb "$display_number" "$work/xvfb.log" 1920x1200x24

# One session of the program: $1 is its program folder, $2 the picture to save, $3 "menu" to open the
# result list's context menu before the picture is taken, $4 the language (LANG) to start it in, $5
# the window's size as WIDTHxHEIGHT (the design's when empty), kept in its settings as a user's would be.
shoot() {
    local program_folder=$1 picture=$2 menu=${3:-} language=${4:-en_US.UTF-8} size=${5:-536x633}
    local home="$work/home-$(basename "$picture" .png)"
    mkdir -p "$home/config" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
    local width=${size%x*} height=${size#*x}
    printf '[Zorvik]\nWindowWidth=%s\nWindowHeight=%s\n' "$width" "$height" >"$home/config/Teskaro.conf"
    local grown=$((width - 536)) picker_title="Add Folder to Search"
    case $language in
    de*) picker_title="Ordner zur Suche hinzufügen" ;;
    fr*) picker_title="Ajouter un dossier à la recherche" ;;
    esac
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
        LANG="$language" LANGUAGE= LC_ALL= LC_MESSAGES= \
        QT_QPA_PLATFORM=xcb "$program_folder/zorvik" >"$work/zorvik.log" 2>&1 &
    app_pid=$!
    local main
    main=$(window_named Zorvik)
    sleep 1

    # "Add Folder to Search": type the folder into the dialog's name field.
    click "$main" 268 141
    local picker
    picker=$(window_named "$picker_title")
    sleep 0.5
    # Without a window manager nobody gives the dialog the keyboard; take it ourselves.
    xdotool windowfocus --sync "$picker"
    xdotool key ctrl+a
    xdotool type --delay 20 "$demo"
    xdotool key Return
    sleep 1

    # Greater than 500 KB: choose the option, type the number, pick KB from the unit list.
    xdotool windowfocus --sync "$main"
    click "$main" 30 228
    click "$main" 150 228
    xdotool key ctrl+a
    xdotool type --delay 20 500
    click "$main" 220 228
    xdotool key Down Return
    sleep 0.3

    # "Start Finding", then close the "Done." notice.
    click "$main" 268 342
    local done_box
    if done_box=$(window_named Zorvik "$main"); then
        xdotool windowfocus --sync "$done_box"
        xdotool key Return
        sleep 0.5
    else
        echo "warning: the search never said \"Done.\"; $picture shows the window as it is" >&2
    fi
    # Sort by size (largest first) with a click on the "Size" header, then tick the two largest files,
    # as a user about to move them would.
    click "$main" $((430 + grown)) 372
    click "$main" 18 391
    click "$main" 18 409
    if [ "$menu" = menu ]; then
        # The context menu of the third row; the menu is a window of its own, so the picture is taken
        # from the screen where the window sits (at 0,0: there is no window manager).
        xdotool mousemove --window "$main" 200 427 click 3
        sleep 0.6
        "$import" -window root -crop "${size}+0+0" "$work/shot.png"
    else
        xdotool mousemove --window "$main" 268 342 # the pointer over "Start Finding", as after a click
        sleep 0.5
        "$import" -window "$main" "$work/shot.png"
    fi
    "$convert" "$work/shot.png" +repage -strip "$root/$picture"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

# The folder list with two folders from the command line, the second marked skipped through its menu.
shoot_skip() {
    local picture=$1 home="$work/home-skip"
    mkdir -p "$home/config" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
        LANG=en_US.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= \
        QT_QPA_PLATFORM=xcb "$root/$build/src/zorvik" "$demo" "$demo/Downloads" >"$work/zorvik.log" 2>&1 &
    app_pid=$!
    local main
    main=$(window_named Zorvik)
    sleep 1
    xdotool windowfocus --sync "$main"
    # The second row's menu: past "Add Folder to Skip…" to "Skip This Folder".
    xdotool mousemove --window "$main" 120 50 click 3
    sleep 0.5
    xdotool key Down Down Return
    sleep 0.3
    click "$main" 120 34 # the first row chosen, so the skipped one shows its own look
    xdotool mousemove --window "$main" 268 342
    sleep 0.5
    "$import" -window "$main" "$work/shot.png"
    "$convert" "$work/shot.png" +repage -strip "$root/$picture"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

shots=" ${ZORVIK_SHOTS:-main skin de fr large skip} "
saved=()
if [[ $shots == *" main "* ]]; then
    shoot "$root/$build/src" docs/screenshot-main.png menu
    saved+=(docs/screenshot-main.png)
fi
if [[ $shots == *" skin "* ]]; then
    skinned="$work/skinned"
    mkdir -p "$skinned/x"
    cp "$build/src/zorvik" "$build/src/HAND-M.CUR" "$skinned/"
    cp skins/example/x/o.cjs "$skinned/x/"
    shoot "$skinned" docs/screenshot-skin.png
    saved+=(docs/screenshot-skin.png)
fi
if [[ $shots == *" de "* ]]; then
    shoot "$root/$build/src" docs/screenshot-de.png menu de_DE.UTF-8
    saved+=(docs/screenshot-de.png)
fi
if [[ $shots == *" fr "* ]]; then
    shoot "$root/$build/src" docs/screenshot-fr.png "" fr_FR.UTF-8
    saved+=(docs/screenshot-fr.png)
fi
if [[ $shots == *" large "* ]]; then
    # Enough files over 500 KB to fill the grown list many times; sparse, so they take no space.
    for i in $(seq -w 1 400); do
        mkdir -p "$archive/box-${i:0:2}"
        truncate -s $((600 * 1024 + 10#$i * 4099)) "$archive/box-${i:0:2}/scan-$i.tif"
    done
    shoot "$root/$build/src" docs/screenshot-large.png "" en_US.UTF-8 1600x1000
    rm -rf "$archive"
    saved+=(docs/screenshot-large.png)
fi
if [[ $shots == *" skip "* ]]; then
    shoot_skip docs/screenshot-skip.png
    saved+=(docs/screenshot-skip.png)
fi
echo "saved ${saved[*]}"
