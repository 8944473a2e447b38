#!/usr/bin/env bash
# The game in a real X server, driven as a player drives it: its own Xvfb,
# no window manager, keys from xdotool, pictures from ImageMagick.
#
#   desktop_run.sh ZOMMEL ZOMMEL_REPLAY WORK_DIR
#
# The title in the window is the headless runner's title frame, pixel for
# pixel (the same frame hash); SPACE starts room 1; F2 opens the editor; Esc
# and Yes in "Quit?" bring back the title; Esc ends the program with exit
# status 0. Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick is
# missing.
set -u

game=$1
replay=$2
work=$3

here=${BASH_SOURCE[0]%/*}
source "$here/x_session.sh" || {
    echo "FAIL: cannot read $here/x_session.sh" >&2
    exit 1
}

# ---- what the headless runner shows ----
"$replay" --ticks 0 --png "$work/title.png" || fail "zommel-replay cannot draw the title"
title_hash=$("$replay" --hash-png "$work/title.png") || fail "no hash of the title"
printf 'P\n-\n' | "$replay" --script - --png "$work/room1.png" ||
    fail "zommel-replay cannot draw room 1"
convert "$work/room1.png" -crop 512x32+0+384 +repage "$work/room1-status.png" ||
    fail "cannot crop the status bar"

editor_shown() { [ -n "$(window_named 'EDIT MODE')" ]; }
two_edit_mode_windows() {
    [ "$(xdotool search --onlyvisible --name '^EDIT MODE$' 2>/dev/null | wc -l)" -ge 2 ]
}
shows_the_title() { [ "$(area_hash)" = "$title_hash" ]; }
shows_room1_status() {
    game_area "$work/area.png" || return 1
    convert "$work/area.png" -crop 512x32+0+384 +repage "$work/area-status.png" &&
        [ "$(compare -metric AE "$work/area-status.png" "$work/room1-status.png" null: 2>&1)" = 0 ]
}

# ---- the game ----
"$game" >"$work/game.log" 2>&1 &
game_pid=$!
within 10 main_window_shown || fail "no window \"ZOMMEL & VRIX\""
step "the window is up"
within 5 shows_the_title ||
    fail "the window's title frame is not the runner's ($(area_hash) against $title_hash)"
step "the title frame is the runner's: $title_hash"

main=$(window_named 'ZOMMEL & VRIX')
focus "$main"
# Held over a few ticks: a press and release between two ticks is never seen.
xdotool keydown space
sleep 0.2
xdotool keyup space
within 5 shows_room1_status || fail "SPACE did not start room 1"
[ "$(area_hash)" != "$title_hash" ] || fail "the frame is still the title"
step "SPACE started room 1"

focus "$main"
xdotool key F2
within 5 editor_shown || fail "F2 did not open the \"EDIT MODE\" window"
within 5 main_window_hidden || fail "the main window stayed open beside the editor"
editor=$(window_named 'EDIT MODE')
step "F2 opened the editor"

focus "$editor"
xdotool key Escape
within 5 two_edit_mode_windows || fail "Esc in the editor did not ask \"Quit?\""
box=$(xdotool search --onlyvisible --name '^EDIT MODE$' | grep -vx "$editor" | head -n1)
[ -n "$box" ] || fail "cannot find the \"Quit?\" box"
focus "$box"
xdotool key Return # Yes is the default button
within 5 main_window_shown || fail "Return (Yes) did not bring back the main window"
editor_shown && fail "the editor is still open"
within 5 shows_the_title || fail "the title is not back after leaving the editor"
step "Esc and Yes brought back the title"

main=$(window_named 'ZOMMEL & VRIX')
focus "$main"
xdotool key Escape
ends_with_status_0
step "Esc ended the program with exit status 0"
exit 0
