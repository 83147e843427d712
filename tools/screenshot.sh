#!/usr/bin/env bash
# Takes the pictures of the real editor in Xvfb: draws "Z" and "A" with the
# mouse, names and saves them, photographs the font file version dialog, the
# export settings dialog with a display chosen and the about box, then the main window with one
# unsaved pixel. Writes docs/main-window.png (the README's picture) and the
# manual's screenshots in help/images/.
# Usage: tools/screenshot.sh [path/to/zelvik]   (needs Xvfb, xdotool, imagemagick)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--inside" ]; then
    zelvik=$(realpath "${1:-$root/build/bin/zelvik}")
    unset QT_QPA_PLATFORM
    # shellcheck source=../tests/smoke/window.sh
    . "$root/tests/smoke/window.sh"
    in_x_server 300 bash ${ZELVIK_TRACE:+-x} "$0" --inside "$zelvik"
    exit $?
fi
zelvik=$2
images=$root/help/images
mkdir -p "$images"

# "id x y width height" of each visible window of the program; the main
# window and the about box are both named Zelvik, so sizes tell them apart.
windows() {
    local w
    for w in $(xdotool search --onlyvisible --class zelvik 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        echo "$w $X $Y $WIDTH $HEIGHT"
    done
}
about_box() { windows | awk '$4 == 492 && $5 == 136 { print $1; exit }'; }
# Waits for a visible window named $1 and prints its id.
wait_window() {
    local id=""
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "no window named $1" >&2; exit 1; }
    echo "$id"
}

cd "$(mktemp -d)"
"$zelvik" &
pid=$!
wid=""
for _ in $(seq 1 100); do
    wid=$(windows | awk '$4 == 776 { print $1; exit }') && [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "no main window came up" >&2; exit 1; }
# The start-up splash: photograph it as the about box, then let it go.
for _ in $(seq 1 30); do
    [ -n "$(about_box)" ] && break
    sleep 0.1
done
sleep 0.3
about=$(about_box)
[ -n "$about" ] || { echo "no splash came up" >&2; exit 1; }
import -window "$about" "$images/about-box.png"
while [ -n "$(about_box)" ]; do sleep 0.1; done
sleep 0.3

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

# Save font: 8 by 16 fits version 1.0, so the version dialog asks.
xdotool key ctrl+s
dialog=$(wait_window "Font file version")
sleep 0.3
import -window "$dialog" "$images/version-dialog.png"
xdotool key Escape
sleep 0.3

# Generate source: the export settings dialog.
click_at 481 440
dialog=$(wait_window "Font data export settings")
sleep 0.3
# From the source type list to the "Display:" list: Custom, then the SSD1306.
xdotool key Tab Home Down
sleep 0.3
import -window "$dialog" "$images/export-dialog.png"
xdotool key Escape
sleep 0.3

xdotool windowfocus --sync "$wid"
cell 3 14 # one unsaved pixel: the "modified" marker shows
at 60 200
sleep 0.5
import -window "$wid" "$root/docs/main-window.png"
cp "$root/docs/main-window.png" "$images/main-window.png"
xdotool key alt+F4
sleep 0.5
# Leaving asks about the unsaved font; the answer is No.
if kill -0 "$pid" 2>/dev/null; then
    xdotool key alt+n
fi
wait "$pid" || true
echo "wrote $root/docs/main-window.png and the pictures in $images"
