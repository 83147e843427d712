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

# need_tools TOOL...: returns when every TOOL is on the PATH; else says which
# is missing and exits: 1 under CI, where a missing tool is a failure, else 77
# (skipped).
need_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$tool is not installed (tools/install-deps.sh installs it)"
            [ -n "${CI:-}" ] && exit 1
            echo "SKIPPED"
            exit 77
        fi
    done
}

# in_x_server SECONDS COMMAND...: runs COMMAND with DISPLAY set to a fresh
# Xvfb of its own and returns its status (124 when it outlasts SECONDS).
# -noreset matters most: by default an X server resets when its last client
# leaves and refuses new clients meanwhile, so a test's xdotool, come and gone
# while the program starts, made the program fail to connect now and then.
# Each run also takes a display number of its own (from its process id), so
# it never meets a server of an earlier test still shutting down, and uses the
# display only once a client has really connected to it.
in_x_server() {
    local seconds=$1 dir xvfb="" display="" status n base
    shift
    dir=$(mktemp -d)
    base=$((200 + ($$ % 500) * 8))
    for n in $(seq "$base" $((base + 40))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        : >"$dir/display"
        Xvfb ":$n" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
        xvfb=$!
        for _ in $(seq 1 100); do
            [ -s "$dir/display" ] && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        if [ -s "$dir/display" ]; then
            for _ in $(seq 1 20); do
                if DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
                    display=$n
                    break
                fi
                sleep 0.1
            done
        fi
        [ -n "$display" ] && break
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
        xvfb=""
    done
    if [ -z "$display" ]; then
        echo "FAILED: no Xvfb took clients"
        cat "$dir/log"
        rm -rf "$dir"
        return 1
    fi
    # A data folder of its own: a window test killed with unsaved work leaves
    # a recovery copy, which must not make the next test's editor ask about it.
    mkdir -p "$dir/data"
    DISPLAY=:$display XDG_DATA_HOME="$dir/data" timeout "$seconds" "$@" && status=0 || status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$dir"
    return "$status"
}
