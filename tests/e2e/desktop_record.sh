#!/usr/bin/env bash
# A game played at twice the size in a real X server and recorded, then
# replayed headless to the very same frame.
#
#   desktop_record.sh ZOMMEL ZOMMEL_REPLAY WORK_DIR
#
# At --scale 2 the window's game area is the runner's frame with every pixel
# a 2 x 2 square, nothing smoothed. Keys held and tapped with xdotool (X
# auto-repeat included), PAUSE, a screenshot, Esc; the recording replayed by
# zommel-replay ends on the frame of the screenshot.
set -u

game=$1
replay=$2
work=$3

here=${BASH_SOURCE[0]%/*}
source "$here/x_session.sh" || {
    echo "FAIL: cannot read $here/x_session.sh" >&2
    exit 1
}

"$replay" --ticks 0 --png "$work/title.png" || fail "zommel-replay cannot draw the title"
title_hash=$("$replay" --hash-png "$work/title.png") || fail "no hash of the title"
convert "$work/title.png" -sample 200% "$work/title-x2.png" || fail "cannot enlarge the title"

# Whether the window shows the title, each pixel a 2 x 2 square.
shows_the_title_twice_as_large() {
    game_area "$work/area.png" 2 &&
        [ "$(compare -metric AE "$work/area-scaled.png" "$work/title-x2.png" null: 2>&1)" = 0 ]
}

recording=$work/game.txt
"$game" --scale 2 --record "$recording" >"$work/game.log" 2>&1 &
game_pid=$!
within 10 main_window_shown || fail "no window \"ZOMMEL & VRIX\""
main=$(window_named 'ZOMMEL & VRIX')
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" -eq 1024 ] || fail "the window is $WIDTH pixels wide at scale 2, not 1024"
within 5 shows_the_title_twice_as_large || fail "the title at scale 2 is not the runner's, enlarged"
[ "$(area_hash 2)" = "$title_hash" ] || fail "the title's frame hash at scale 2 differs"
step "at scale 2 the window shows the runner's title, every pixel 2 x 2"

focus "$main"
xdotool keydown space
sleep 0.2
xdotool keyup space
sleep 0.3
xdotool keydown Right # held long enough for X's auto-repeat
sleep 0.8
xdotool keydown shift
sleep 0.3
xdotool keyup shift keyup Right
xdotool key Left # pressed and let go at once: between two ticks or not
sleep 0.5
xdotool keydown Left
sleep 0.4
xdotool keyup Left
sleep 0.3
xdotool key F4 # PAUSE: no tick from now on
sleep 0.5
shown=$(area_hash 2) || fail "no screenshot"
[ "$shown" != "$title_hash" ] || fail "the game never left the title"
step "played and paused"

xdotool key Escape
ends_with_status_0
[ "$(head -n1 "$recording")" = "# zommel recording" ] || fail "the recording has no header"
"$replay" --script "$recording" --png "$work/replayed.png" || fail "the recording does not replay"
replayed=$("$replay" --hash-png "$work/replayed.png")
[ "$replayed" = "$shown" ] ||
    fail "the replay ends on $replayed, the window showed $shown; recording:
$(cat "$recording")"
step "the recording of $(grep -vc '^#' "$recording") lines replays to the frame shown: $shown"
exit 0
