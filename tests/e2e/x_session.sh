# Shared by the tests in a real X server; sourced, not run. Needs `work` (a
# directory it empties) and `replay` (zommel-replay) to be set.
#
# Starts its own Xvfb on a display it picks itself, without a window manager,
# and ends it (and the game, once `game_pid` is set) on every way out.
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.

for tool in Xvfb xdotool import convert compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

rm -rf "$work" && mkdir -p "$work" || {
    echo "FAIL: cannot make the directory $work" >&2
    exit 1
}
started=$SECONDS
xvfb_pid=
game_pid=

cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
step() {
    echo "[$((SECONDS - started)) s] $*"
}

# Polls `$@` every 0.1 s for up to `budget` seconds; true once it succeeds.
within() {
    local budget=$1
    shift
    local tries=$((budget * 10))
    while [ "$tries" -gt 0 ]; do
        "$@" && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_chosen() { [ -s "$work/display" ]; }
within 10 display_chosen || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
step "Xvfb on $DISPLAY"

# The one visible window named exactly $1; empty while there is none.
window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}
main_window_shown() { [ -n "$(window_named 'ZOMMEL & VRIX')" ]; }
main_window_hidden() { [ -z "$(window_named 'ZOMMEL & VRIX')" ]; }

# Screenshot of the screen cropped to the main window's game area, the bottom
# 416 x scale rows of the window under its menu bar, brought back to 512 x 416
# by taking every scale-th pixel: $1 the picture, $2 the scale (1 by default).
game_area() {
    local scale=${2:-1} window X Y WIDTH HEIGHT SCREEN
    window=$(window_named 'ZOMMEL & VRIX')
    [ -n "$window" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root "$work/screen.png" 2>/dev/null || return 1
    convert "$work/screen.png" \
        -crop "$((512 * scale))x$((416 * scale))+$X+$((Y + HEIGHT - 416 * scale))" +repage \
        "$work/area-scaled.png" &&
        convert "$work/area-scaled.png" -sample "512x416!" "$1"
}
area_hash() {
    game_area "$work/area.png" "${1:-1}" && "$replay" --hash-png "$work/area.png"
}
focus() {
    xdotool windowfocus --sync "$1" || fail "cannot focus window $1"
}
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Waits for the game to end by itself and checks its exit status is 0.
ends_with_status_0() {
    within 5 game_ended || fail "the program did not end"
    wait "$game_pid"
    local status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "the program ended with exit status $status"
}
