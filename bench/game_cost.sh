#!/usr/bin/env bash
# What the running game costs: start-up time to the title, CPU use over 20 s
# on the title and over 20 s of play (keys driven with xdotool), and peak
# resident memory. Runs the built game in its own Xvfb.
#
#   bench/game_cost.sh [build-dir]        (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
game="$build/bin/zommel"
seconds=${ZOMMEL_COST_SECONDS:-20}
source "$root/scripts/common.sh"
zommel_need_packages xvfb xauth xdotool time
[ -x "$game" ] || { echo "build the game first: ./play.sh or cmake --build build" >&2; exit 2; }

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
usage() { # percent of one core between two tick counts over $3 seconds
    awk -v a="$1" -v b="$2" -v s="$3" -v hz="$hz" 'BEGIN { printf "%.2f", (b - a) * 100 / hz / s }'
}

log=$(mktemp)
start=$(date +%s%N)
/usr/bin/time -v -o "$log" "$game" >/dev/null 2>&1 &
timer=$!
# The title is drawn before the window is first shown, so "shown" is the
# moment the window is mapped. Poll often: xdotool's own --sync waits 0.5 s.
until window=$(xdotool search --onlyvisible --name '^ZOMMEL & VRIX$' 2>/dev/null | head -n 1) &&
    [ -n "$window" ]; do
    sleep 0.005
done
shown=$(date +%s%N)
pid=$(pgrep -P "$timer" -x zommel)
echo "start-up to the title shown: $(((shown - start) / 1000000)) ms"

sleep 1
a=$(ticks "$pid"); sleep "$seconds"; b=$(ticks "$pid")
echo "title screen: $(usage "$a" "$b" "$seconds")% of one core over ${seconds} s"

xdotool windowfocus --sync "$window"
xdotool key --delay 100 space space
sleep 0.5
a=$(ticks "$pid")
end=$(($(date +%s) + seconds))
keys=(Left Right Up Down)
i=0
while [ "$(date +%s)" -lt "$end" ]; do
    key=${keys[$((i % 4))]}
    xdotool keydown "$key"; sleep 0.6; xdotool keyup "$key"
    xdotool keydown shift; sleep 0.1; xdotool keyup shift
    xdotool key --delay 60 a
    i=$((i + 1))
done
b=$(ticks "$pid")
echo "play: $(usage "$a" "$b" "$seconds")% of one core over ${seconds} s"

xdotool key Escape
wait "$timer" || true
echo "peak resident memory: $(awk -F': ' '/Maximum resident/ { printf "%.1f MB", $2 / 1024 }' "$log")"
rm -f "$log"
