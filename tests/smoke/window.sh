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
