#!/usr/bin/env bash
# Starts the real editor in a real X server, waits for its window titled
# "Zelvik", closes it with Alt+F4 as a person would and expects exit status 0
# and config.ini in the (temporary) start-up folder.
# Usage: zelvik_smoke.sh path/to/zelvik path/to/missing_tool
# When Xvfb or xdotool is missing, missing_tool decides: skipped
# (77), or failed under CI.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=${1:?usage: $0 path/to/zelvik path/to/missing_tool}
    missing_tool=${2:?usage: $0 path/to/zelvik path/to/missing_tool}
    for tool in Xvfb xdotool; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            "$missing_tool" "$tool is not installed (tools/install-deps.sh installs it)"
            exit $?
        fi
    done
    # A real X window, not the offscreen platform the widget tests use.
    unset QT_QPA_PLATFORM
    in_x_server 60 bash "$0" --inside "$zelvik"
    exit $?
fi

zelvik=$2
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir" # the start-up folder

"$zelvik" &
pid=$!

wid=""
for _ in $(seq 1 150); do
    wid=$(xdotool search --onlyvisible --name '^Zelvik$' 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "FAILED: zelvik ended with status $? before showing its window"
        exit 1
    fi
    sleep 0.1
done
if [ -z "$wid" ]; then
    echo "FAILED: no window titled Zelvik appeared"
    kill "$pid"
    exit 1
fi
echo "window $wid is up"

wait_for_splash
sleep 0.2

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+F4

if ! wait_for_exit "$pid" 100; then
    echo "FAILED: zelvik still runs 10 s after Alt+F4"
    kill "$pid"
    exit 1
fi
wait "$pid"
status=$?
echo "zelvik ended with status $status"
[ "$status" -eq 0 ] || exit "$status"
# A normal close remembers the dialog folders in the start-up folder.
if ! grep -q '^\[PATH\]' "$workdir/config.ini" 2>/dev/null; then
    echo "FAILED: no [PATH] section in config.ini after a normal close"
    exit 1
fi
echo "config.ini written"
