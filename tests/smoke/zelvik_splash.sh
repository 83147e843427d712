#!/usr/bin/env bash
# The start-up splash in a real X server: the about box must come up about
# 200 ms after the main window and leave the main window alone about two
# seconds later. Saves a screenshot of each moment (splash.png and
# after-splash.png) into OUTDIR, then closes the program with Alt+F4.
# Usage: zelvik_splash.sh path/to/zelvik OUTDIR
# Exits 77 (skipped) when a tool is missing, unless CI is set: then it fails.
set -u
# shellcheck source=window.sh
. "$(dirname "$0")/window.sh"

if [ "${1:-}" != "--inside" ]; then
    zelvik=${1:?usage: $0 path/to/zelvik OUTDIR}
    outdir=${2:?usage: $0 path/to/zelvik OUTDIR}
    need_tools Xvfb xdotool import compare
    mkdir -p "$outdir"
    unset QT_QPA_PLATFORM
    in_x_server 60 bash "$0" --inside "$zelvik" "$outdir"
    exit $?
fi

zelvik=$2
outdir=$3
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"

now() { echo $(($(date +%s%N) / 1000000)); } # milliseconds
# "id x y width height" of each visible window of the program. Both windows
# are named Zelvik (the box has no caption of its own), so sizes tell them apart.
windows() {
    local w
    for w in $(xdotool search --onlyvisible --class zelvik 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        echo "$w $X $Y $WIDTH $HEIGHT"
    done
}
find_main() { windows | awk '$4 == 776 { print; exit }'; }
find_splash() { windows | awk '$4 == 492 && $5 == 136 { print; exit }'; }
fail() {
    echo "FAILED: $*"
    kill "$pid" 2>/dev/null
    exit 1
}

# One look at the windows can take longer than the splash's delay on a busy
# machine. A splash found in the first look that sees the main window proves
# nothing when the look before was long ago: then the program starts again,
# up to three times.
for attempt in 1 2 3; do
    "$zelvik" &
    pid=$!
    main=""
    looked_at=$(now)
    for _ in $(seq 1 300); do
        shown=$(windows)
        main=$(awk '$4 == 776 { print; exit }' <<<"$shown")
        [ -n "$main" ] && break
        kill -0 "$pid" 2>/dev/null || fail "zelvik ended before showing its window"
        looked_at=$(now)
        sleep 0.02
    done
    [ -n "$main" ] || fail "no main window appeared"
    main_at=$(now)
    awk '$4 == 492 && $5 == 136 { found = 1 } END { exit !found }' <<<"$shown" || break
    [ $((main_at - looked_at)) -ge 150 ] || fail "the splash was up together with the main window"
    echo "attempt $attempt: the main window was found $((main_at - looked_at)) ms after the look before it; starting again"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ "$attempt" -lt 3 ] || fail "the machine is too busy to see the main window before the splash"
done

# Each moment is known to lie between the last look that did not see it and
# the first that did; the checks allow for the whole of that span.
splash=""
splash_missed_at=$main_at
while [ $(($(now) - main_at)) -lt 5000 ]; do
    splash=$(find_splash)
    [ -n "$splash" ] && break
    splash_missed_at=$(now)
    sleep 0.01
done
[ -n "$splash" ] || fail "no splash within 5 s of the main window"
splash_at=$(now)
import -window root "$outdir/splash.png"
delay=$((splash_missed_at - main_at))
echo "splash up $delay to $((splash_at - looked_at)) ms after the main window"
[ "$delay" -le 1500 ] || fail "the splash came ${delay} ms after the main window, not about 200 ms"

# Centred on the main window.
read -r _ mx my mw mh <<<"$main"
read -r _ sx sy sw sh <<<"$splash"
dx=$(((sx + sw / 2) - (mx + mw / 2)))
dy=$(((sy + sh / 2) - (my + mh / 2)))
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "the splash is not centred on the main window ($dx, $dy)"

gone_at=""
still_at=$splash_at
while [ $(($(now) - splash_at)) -lt 6000 ]; do
    if [ -z "$(find_splash)" ]; then
        gone_at=$(now)
        break
    fi
    still_at=$(now)
    sleep 0.01
done
[ -n "$gone_at" ] || fail "the splash still shows 6 s after it came"
shortest=$((still_at - splash_at))
longest=$((gone_at - splash_missed_at))
echo "splash shown for $shortest to $longest ms"
[ "$longest" -ge 1500 ] && [ "$shortest" -le 3500 ] ||
    fail "the splash showed $shortest to $longest ms, not about 2 s"
import -window root "$outdir/after-splash.png"
[ -n "$(find_main)" ] || fail "the main window went with the splash"

# The screenshots differ where the box was.
region="${sw}x${sh}+${sx}+${sy}"
changed=$(compare -metric AE "$outdir/splash.png[$region]" "$outdir/after-splash.png[$region]" null: 2>&1)
[ "${changed%% *}" -gt 1000 ] 2>/dev/null || fail "the screenshots do not show the box ($changed pixels differ)"
echo "screenshots in $outdir"

# The main window takes the keyboard again.
wid=${main%% *}
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+F4
wait_for_exit "$pid" 100 || fail "zelvik still runs 10 s after Alt+F4"
wait "$pid"
status=$?
echo "zelvik ended with status $status"
exit "$status"
