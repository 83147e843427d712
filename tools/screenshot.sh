#!/usr/bin/env bash
# Takes docs/main-window.png from the real editor in Xvfb: draws "Z" and "A"
# with the mouse, names and saves them, then photographs the window.
# Usage: tools/screenshot.sh [path/to/zelvik]   (needs xvfb-run, xdotool, imagemagick)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--inside" ]; then
    zelvik=$(realpath "${1:-$root/build/bin/zelvik}")
    unset QT_QPA_PLATFORM
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash ${ZELVIK_TRACE:+-x} "$0" --inside "$zelvik"
fi
zelvik=$2

cd "$(mktemp -d)"
"$zelvik" &
pid=$!
wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Zelvik$' 2>/dev/null | head -n 1) && [ -n "$wid" ] && break
    sleep 0.1
done
sleep 0.5
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT
wx=$X
wy=$Y
menu=$((HEIGHT - 541))

# Positions inside the client area, below the menu bar.
at() { xdotool mousemove $((wx + $1)) $((wy + menu + $2)); }
click_at() { at "$1" "$2"; xdotool click 1; }
cell() { click_at $((4 + 10 + 2 + 11 * $1 + 5)) $((2 + 20 + 2 + 11 * $2 + 5)); }

draw() { # code name rows...
    local code=$1
    shift
    click_at 556 85 # code field
    xdotool key End BackSpace BackSpace BackSpace
    xdotool type "$code"
    xdotool key Return
    local row=3
    for line in "$@"; do
        for col in 0 1 2 3 4 5 6 7; do
            [ "${line:$col:1}" = "#" ] && cell "$col" "$row"
        done
        row=$((row + 1))
    done
    at 624 59
    xdotool click --repeat 2 --delay 50 1 # double-click: the automatic name
    click_at 486 114                       # Save character
    sleep 0.2
}

click_at 624 33 # font name
xdotool type "font8x16"
draw 90 "########" "......##" ".....##." "....##.." "...##..." "..##...." ".##....." "##......" "##......" "########"
draw 65 "..####.." ".##..##." "##....##" "##....##" "##....##" "########" "##....##" "##....##" "##....##" "##....##"
cell 3 14 # one unsaved pixel: the "modified" marker shows
at 60 200
sleep 0.5
import -window "$wid" "$root/docs/main-window.png"
xdotool key alt+F4
wait "$pid"
echo "wrote $root/docs/main-window.png"
