#!/usr/bin/env bash
# The sample strip in the real editor in a real X server: draws and saves
# the character "A", double-clicks the strip, types "AAA" into the "Sample
# text" dialog, presses Enter, and photographs the strip before and after.
# The strip must change, and the first pixel of the first "A" must be where
# three characters 8 pixels wide put it: strip column 367, row 17.
# Usage: sample_text_smoke.sh path/to/zelvik
# Exits 77 (skipped) when a tool is missing, or 1 when CI is set.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=$(realpath "${1:?usage: $0 path/to/zelvik}")
    need_tools Xvfb xdotool import compare identify
    unset QT_QPA_PLATFORM
    in_x_server 80 bash "$0" --inside "$zelvik"
    exit $?
fi

zelvik=$2
workdir=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$workdir"
}
trap cleanup EXIT
cd "$workdir" || exit 1

fail() {
    echo "FAILED: $*"
    exit 1
}

"$zelvik" &
pid=$!

find_window() { # name: the id of the visible window, or nothing
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
wait_window() { # name
    local wid=""
    for _ in $(seq 1 100); do
        wid=$(find_window "$1")
        [ -n "$wid" ] && break
        kill -0 "$pid" 2>/dev/null || fail "zelvik ended while waiting for $1"
        sleep 0.1
    done
    echo "$wid"
}

wid=$(wait_window '^Zelvik$')
[ -n "$wid" ] || fail "no window titled Zelvik appeared"
wait_for_splash
sleep 0.5
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT
wx=$X
wy=$((Y + HEIGHT - 541)) # the client area starts below the menu bar

# Positions inside the client area.
at() { xdotool mousemove $((wx + $1)) $((wy + $2)); }
click_at() {
    at "$1" "$2"
    xdotool click 1
}
cell() { click_at $((4 + 10 + 2 + 11 * $1 + 5)) $((2 + 20 + 2 + 11 * $2 + 5)); }
# Hints near the pointer would cover what we photograph.
pointer_away() {
    xdotool mousemove 1000 760
    sleep 0.8
}
strip_x=$((wx + 7))
strip_y=$((wy + 464))
photograph_strip() { # file
    import -window root -crop "762x50+${strip_x}+${strip_y}" +repage "$1"
}
strip_pixel() { # file x y: 0 for black, 1 for white
    identify -format "%[fx:p{$2,$3}.intensity]" "$1"
}

# Code 65, the corners and the centre of an 8 by 16 character, automatic name, save.
click_at 556 85
xdotool key End BackSpace BackSpace BackSpace
xdotool type 65
xdotool key Return
for c in "0 0" "7 0" "3 7" "0 15" "7 15"; do
    # shellcheck disable=SC2086
    cell $c
done
at 624 59
xdotool click --repeat 2 --delay 50 1
click_at 486 114
pointer_away
photograph_strip before.png

# The starting text holds no "A": the strip is the empty frame.
[ "$(strip_pixel before.png 367 17)" = 1 ] || fail "the strip shows ink before the text changed"

at $((7 + 381)) $((464 + 25)) # the middle of the strip
xdotool click --repeat 2 --delay 80 1
dialog=$(wait_window '^Sample text$')
[ -n "$dialog" ] || fail "a double-click on the strip did not open the Sample text dialog"
xdotool windowfocus --sync "$dialog"
xdotool type AAA # the field's text is selected: typing replaces it
xdotool key Return
for _ in $(seq 1 50); do
    [ -z "$(find_window '^Sample text$')" ] && break
    sleep 0.1
done
[ -z "$(find_window '^Sample text$')" ] || fail "Enter did not close the Sample text dialog"
pointer_away
photograph_strip after.png

changed=$(compare -metric AE before.png after.png null: 2>&1)
echo "strip pixels changed: $changed"
[ "${changed:-0}" != 0 ] || fail "the strip did not change"
for p in "367 17" "374 17" "370 24" "367 32" "376 17" "385 17" "392 32"; do
    # shellcheck disable=SC2086
    [ "$(strip_pixel after.png $p)" = 0 ] || fail "no ink at strip pixel $p"
done
[ "$(strip_pixel after.png 375 17)" = 1 ] || fail "no clear column at 375"
[ "$(strip_pixel after.png 0 0)" = 0 ] || fail "the strip lost its frame"
echo "the strip shows AAA"

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+F4
# The font is modified: the program asks whether to save it; No.
sleep 0.5
xdotool key n
if ! wait_for_exit "$pid" 50; then
    fail "zelvik still runs after Alt+F4"
fi
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "zelvik ended with status $status"
echo "ok"
