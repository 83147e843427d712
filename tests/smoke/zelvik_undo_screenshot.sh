#!/usr/bin/env bash
# The real editor in a real X server: draws a glyph with two mouse drags,
# clears it with "Clear symbol", then presses Ctrl+Z with the focus in the
# symbol name field, and takes a screenshot of the screen. The grid in the
# screenshot must show the glyph again, cell for cell.
# Usage: zelvik_undo_screenshot.sh path/to/zelvik path/to/screenshot.png
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing; with CI
# set, a missing tool fails the test.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=$(realpath "${1:?usage: $0 path/to/zelvik path/to/screenshot.png}")
    shot=$(realpath "${2:?usage: $0 path/to/zelvik path/to/screenshot.png}")
    need_tools Xvfb xdotool import convert
    unset QT_QPA_PLATFORM
    in_x_server 90 bash "$0" --inside "$zelvik" "$shot"
    exit $?
fi

zelvik=$2
shot=$3
workdir=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$workdir"
}
trap cleanup EXIT
cd "$workdir"

"$zelvik" &
pid=$!
wid=""
for _ in $(seq 1 150); do
    wid=$(xdotool search --onlyvisible --name '^Zelvik$' 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "FAILED: zelvik ended with status $? before showing its window"
        pid=""
        exit 1
    fi
    sleep 0.1
done
if [ -z "$wid" ]; then
    echo "FAILED: no window titled Zelvik appeared"
    exit 1
fi
wait_for_splash
sleep 0.3
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT
menu=$((HEIGHT - 541))                               # the client area is 541 high

# Screen positions of points of the client area, and of grid cell centres:
# the grid lies at (10, 20) in the editor group at (4, 2), 2 pixels of frame,
# cells 10 pixels on an 11-pixel pitch.
sx() { echo $((X + $1)); }
sy() { echo $((Y + menu + $1)); }
cell_x() { sx $((4 + 10 + 2 + 11 * $1 + 5)); }
cell_y() { sy $((2 + 20 + 2 + 11 * $1 + 5)); }

# One press-drag-release through the given cells ("col,row" ...).
drag() {
    local first=1 col row
    for c in "$@"; do
        col=${c%,*}
        row=${c#*,}
        xdotool mousemove "$(cell_x "$col")" "$(cell_y "$row")"
        sleep 0.05
        if [ $first = 1 ]; then
            xdotool mousedown 1
            first=0
        fi
    done
    xdotool mouseup 1
    sleep 0.1
}
click() {
    xdotool mousemove "$(sx "$1")" "$(sy "$2")" click 1
    sleep 0.2
}

# Red, green and blue of one screen pixel in a screenshot.
colour() {
    convert "$1" -crop "1x1+$2+$3" +repage -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}
# Checks every listed cell against the expected colour; prints the misses.
expect_cells() {
    local image=$1 want=$2 bad=0 col row got
    shift 2
    for c in "$@"; do
        col=${c%,*}
        row=${c#*,}
        got=$(colour "$image" "$(cell_x "$col")" "$(cell_y "$row")")
        if [ "$got" != "$want" ]; then
            echo "cell $col,$row is $got, expected $want"
            bad=1
        fi
    done
    return $bad
}

top=(1,2 2,2 3,2 4,2 5,2 6,2)
stem=(3,3 3,4 3,5 3,6 3,7 3,8 3,9 3,10)
paper=(0,0 7,2 2,5 4,5 3,11 7,15)
drag "${top[@]}"
drag "${stem[@]}"

xdotool mousemove "$(sx 600)" "$(sy 500)" # away from the grid
sleep 0.2
import -window root "$workdir/drawn.png"
if ! expect_cells "$workdir/drawn.png" 0,0,0 "${top[@]}" "${stem[@]}"; then
    echo "FAILED: the drags did not draw the glyph"
    exit 1
fi

click 234 433 # "Clear symbol"
import -window root "$workdir/cleared.png"
if ! expect_cells "$workdir/cleared.png" 255,255,255 "${top[@]}" "${stem[@]}"; then
    echo "FAILED: Clear symbol left ink"
    exit 1
fi

click 624 59 # the symbol name field takes the focus
xdotool key --clearmodifiers ctrl+z
sleep 0.3
xdotool mousemove "$(sx 600)" "$(sy 500)"
sleep 0.2
import -window root "$shot"
echo "screenshot: $shot"
failed=0
expect_cells "$shot" 0,0,0 "${top[@]}" "${stem[@]}" || failed=1
expect_cells "$shot" 255,255,255 "${paper[@]}" || failed=1
if [ $failed = 1 ]; then
    echo "FAILED: Ctrl+Z did not bring the glyph back"
    exit 1
fi
echo "Ctrl+Z brought the glyph back"
