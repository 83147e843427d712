#!/usr/bin/env bash
# The real editor in a real X server, killed with unsaved work: draw, name and
# save characters without saving the font, wait past the recovery delay, and
# SIGKILL it. Started again it asks to recover; Yes brings back the status bar
# as it was, and saving the font then holds both characters and the
# identifier; No deletes the copy and the editor starts empty. A second
# editor started beside a running one asks nothing.
# Usage: zelvik_recovery.sh path/to/zelvik path/to/zelvik-cli
# Exits 77 (skipped) when a tool is missing; with CI set, that fails.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=$(realpath "${1:?usage: $0 path/to/zelvik path/to/zelvik-cli}")
    cli=$(realpath "${2:?usage: $0 path/to/zelvik path/to/zelvik-cli}")
    need_tools Xvfb xdotool import compare
    unset QT_QPA_PLATFORM
    in_x_server 150 bash "$0" --inside "$zelvik" "$cli"
    exit $?
fi

zelvik=$2
cli=$3
workdir=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$workdir"
}
trap cleanup EXIT
cd "$workdir"
export XDG_DATA_HOME=$workdir/data

fail() {
    echo "FAILED: $*"
    exit 1
}
copies() { find "$XDG_DATA_HOME" -name '*.zelvik-recovery' 2>/dev/null | wc -l; }

# window_named NAME: the id of the first visible window of that title, waited for.
window_named() {
    local wid=""
    for _ in $(seq 1 150); do
        wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    echo "$wid"
}
start() {
    "$zelvik" 2>>"$workdir/stderr" &
    pid=$!
    pids+=("$pid")
}
# Focuses the main window and reads its geometry (X, Y, HEIGHT, menu).
main_window() {
    wid=$(window_named '^Zelvik$')
    [ -n "$wid" ] || fail "no window titled Zelvik appeared"
    wait_for_splash
    sleep 0.3
    xdotool windowfocus --sync "$wid"
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    menu=$((HEIGHT - 541))
}
sx() { echo $((X + $1)); }
sy() { echo $((Y + menu + $1)); }
cell_x() { sx $((4 + 10 + 2 + 11 * $1 + 5)); }
cell_y() { sy $((2 + 20 + 2 + 11 * $1 + 5)); }
click() {
    xdotool mousemove "$(sx "$1")" "$(sy "$2")" click 1
    sleep 0.2
}
drag() {
    local first=1 c
    for c in "$@"; do
        xdotool mousemove "$(cell_x "${c%,*}")" "$(cell_y "${c#*,}")"
        sleep 0.05
        if [ $first = 1 ]; then
            xdotool mousedown 1
            first=0
        fi
    done
    xdotool mouseup 1
    sleep 0.1
}
type_into() { # x y text: replaces the field's text
    click "$1" "$2"
    xdotool key --clearmodifiers End shift+Home BackSpace # Ctrl+A is About
    xdotool type --delay 30 "$3"
    sleep 0.2
}
# The status bar's first three panels (the character, "modified", the file
# name with " *"); the pointer panel is left out.
status_bar() {
    xdotool mousemove "$(sx 700)" "$(sy 300)"
    sleep 0.3
    import -window root -crop "660x14+$((X + 2))+$((Y + HEIGHT - 17))" +repage "$workdir/$1.png"
}
same_image() { [ "$(compare -metric AE "$workdir/$1.png" "$workdir/$2.png" null: 2>&1)" = 0 ]; }

draw_and_crash() {
    start
    main_window
    status_bar fresh
    type_into 556 85 65 && xdotool key Return
    drag 1,1 2,2 3,3
    type_into 624 59 UA
    type_into 624 33 fnt
    click 486 114 # Save character
    type_into 556 85 66 && xdotool key Return
    sleep 0.2
    drag 4,1 4,2 4,3 5,3
    type_into 624 59 UB
    status_bar killed
    sleep 3 # past the recovery delay
    [ "$(copies)" = 1 ] || { cat "$workdir/stderr"; fail "no recovery copy 3 s after the last edit"; }
}

# --- Yes
draw_and_crash
first=$pid
start # a second editor while the first runs
second=$pid
for _ in $(seq 1 40); do
    [ "$(xdotool search --onlyvisible --name '^Zelvik$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
sleep 1
[ -z "$(xdotool search --onlyvisible --name 'Recovering font' 2>/dev/null)" ] ||
    fail "the second editor asked about the copy of the running one"
kill "$second"
wait "$second" 2>/dev/null
[ "$(copies)" = 1 ] || fail "the second editor took the first one's copy"
echo "a second editor asked nothing"

kill -9 "$first"
wait "$first" 2>/dev/null
start
box=$(window_named 'Recovering font')
[ -n "$box" ] || fail "no recovery question after the kill"
xdotool windowfocus --sync "$box" key y
main_window
status_bar recovered
same_image killed recovered || fail "the status bar differs from the one before the kill"
echo "Yes: the status bar is as it was, ' *' and all"
# Saving the font stores the restored character first, with its restored name.
xdotool key --clearmodifiers ctrl+s
box=$(window_named 'Saving font')
[ -n "$box" ] || fail "Save font did not ask about the modified character"
xdotool windowfocus --sync "$box" key y
dialog=$(window_named 'Font file version')
[ -n "$dialog" ] || fail "no version dialog"
xdotool windowfocus --sync "$dialog" key Return
sleep 0.5
xdotool type --delay 20 "$workdir/out.fnt"
xdotool key Return
for _ in $(seq 1 50); do
    [ -s "$workdir/out.fnt" ] && break
    sleep 0.1
done
info=$("$cli" info "$workdir/out.fnt") || fail "no font saved"
echo "$info"
for want in fnt UA UB; do
    grep -qw "$want" <<<"$info" || fail "the saved font lacks $want"
done
sleep 0.5
[ "$(copies)" = 0 ] || fail "the copy stayed after a save that left nothing unsaved"
kill -9 "$pid"
wait "$pid" 2>/dev/null

# --- No
draw_and_crash
kill -9 "$pid"
wait "$pid" 2>/dev/null
start
box=$(window_named 'Recovering font')
[ -n "$box" ] || fail "no recovery question after the second kill"
xdotool windowfocus --sync "$box" key n
main_window
[ "$(copies)" = 0 ] || fail "No kept the copy"
status_bar refused
same_image fresh refused || fail "after No the editor does not start empty"
echo "No: the copy is gone and the editor starts empty"
