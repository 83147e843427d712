#!/usr/bin/env bash
# F1 in the real editor, started from an empty folder as an installed program
# usually is, in a real X server. A stand-in xdg-open records what the desktop
# is asked to open.
#   zelvik_f1.sh path/to/zelvik missing      F1 must show "Missing help file!"
#                                           and open nothing (a build folder)
#   zelvik_f1.sh path/to/zelvik FILE         F1 must open FILE (the manual
#                                           installed beside the program)
# Exits 77 (skipped) when a tool is missing, unless CI is set: then it fails.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=${1:?usage: $0 path/to/zelvik missing|FILE}
    expected=${2:?usage: $0 path/to/zelvik missing|FILE}
    need_tools Xvfb xdotool
    unset QT_QPA_PLATFORM XDG_CURRENT_DESKTOP DESKTOP_SESSION
    in_x_server 60 bash "$0" --inside "$zelvik" "$expected"
    exit $?
fi

zelvik=$2
expected=$3
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
mkdir "$workdir/start" "$workdir/fakebin"
opened=$workdir/opened
cat >"$workdir/fakebin/xdg-open" <<EOS
#!/bin/sh
echo "\$1" >>"$opened"
EOS
chmod +x "$workdir/fakebin/xdg-open"
cd "$workdir/start"

fail() {
    echo "FAILED: $*"
    kill "$pid" 2>/dev/null
    exit 1
}
sizes() {
    local w
    for w in $(xdotool search --onlyvisible --class zelvik 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        echo "$w $WIDTH $HEIGHT"
    done
}

PATH="$workdir/fakebin:$PATH" "$zelvik" &
pid=$!
main=""
for _ in $(seq 1 150); do
    main=$(sizes | awk '$2 == 776 { print $1; exit }')
    [ -n "$main" ] && break
    kill -0 "$pid" 2>/dev/null || fail "zelvik ended before showing its window"
    sleep 0.1
done
[ -n "$main" ] || fail "no main window appeared"
# Past the start-up splash, which holds the keyboard.
sleep 0.5
for _ in $(seq 1 60); do
    sizes | awk '$2 == 492 && $3 == 136 { found = 1 } END { exit !found }' || break
    sleep 0.1
done

xdotool windowfocus --sync "$main"
xdotool key F1
box=""
for _ in $(seq 1 30); do
    box=$(xdotool search --onlyvisible --name '^Error \.\.\.$' 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    [ -s "$opened" ] && break
    sleep 0.1
done

if [ "$expected" = missing ]; then
    [ -n "$box" ] || fail "F1 showed no \"Error ...\" box"
    [ ! -s "$opened" ] || fail "F1 opened $(cat "$opened")"
    echo "F1 shows the missing help file box"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    sleep 0.3
else
    [ -z "$box" ] || fail "F1 showed \"Error ...\" instead of opening $expected"
    [ -s "$opened" ] || fail "F1 opened nothing"
    got=$(head -n 1 "$opened")
    [ "${got#file://}" = "$expected" ] || fail "F1 opened $got, not $expected"
    echo "F1 opens $expected"
fi

xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+F4
wait_for_exit "$pid" 100 || fail "zelvik still runs 10 s after Alt+F4"
wait "$pid"
