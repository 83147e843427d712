# Sourced by the real-window tests: what each of them waits for.
# The start-up splash (the 492 by 136 about box) comes 200 ms after the main
# window and holds the mouse and keyboard for two seconds: wait_for_splash
# lets it come and go.
splash_up() {
    local w
    for w in $(xdotool search --onlyvisible --class zelvik 2>/dev/null); do
        xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 492x136' && return 0
    done
    return 1
}
wait_for_splash() {
    for _ in $(seq 1 30); do
        splash_up && break
        sleep 0.1
    done
    for _ in $(seq 1 60); do
        splash_up || break
        sleep 0.1
    done
    sleep 0.2
}

# wait_for_exit PID TENTHS: true once the process has ended, false when it
# still runs after TENTHS tenths of a second.
wait_for_exit() {
    for _ in $(seq 1 "$2"); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}

# in_x_server SECONDS COMMAND...: runs COMMAND with DISPLAY set to a fresh
# Xvfb of its own and returns its status (124 when it outlasts SECONDS).
# Xvfb picks a free display itself and names it only once it accepts
# clients, so tests run back to back never reach a server that is still
# shutting down (xvfb-run -a could hand out such a display).
in_x_server() {
    local seconds=$1 dir xvfb display="" status
    shift
    dir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
    xvfb=$!
    for _ in $(seq 1 100); do
        display=$(head -n 1 "$dir/display" 2>/dev/null)
        [ -n "$display" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$display" ]; then
        echo "FAILED: Xvfb did not start"
        cat "$dir/log"
        kill "$xvfb" 2>/dev/null
        rm -rf "$dir"
        return 1
    fi
    DISPLAY=:$display timeout "$seconds" "$@" && status=0 || status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$dir"
    return "$status"
}
