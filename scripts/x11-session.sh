# Sourced by the scripts that drive the real window under Xvfb (bash; set -e friendly).

# Starts Xvfb on display $1, logging to $2, with the screen $3 (1024x768x24 when not given); sets
# DISPLAY and xvfb_pid, and waits until it answers.
start_xvfb() {
    Xvfb ":$1" -screen 0 "${3:-1024x768x24}" -nolisten tcp >"$2" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$1"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
}

# Waits until a window with this exact title other than the ones given appears, and prints its id.
# Gives up after about 30 seconds with status 1.
window_named() {
    local title=$1 id
    shift
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true); do
            case " $* " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
        done
        sleep 0.1
    done
    echo "no window named '$title' appeared" >&2
    return 1
}

click() { # window x y, in the window's own pixels
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}
