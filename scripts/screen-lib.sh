# Shell functions for a virtual screen (Xvfb), shared by the scripts that
# need one. Sourced.

# start_screen LOG: starts Xvfb on a display number it picks itself and waits
# until the screen answers, for 30 s at most. Sets SCREEN_PID and
# SCREEN_DISPLAY; fails when the screen did not come up (its words are in LOG).
start_screen() {
    local log=$1 numberfile number
    numberfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberfile" >"$log" 2>&1 &
    SCREEN_PID=$!
    SCREEN_DISPLAY=
    for _ in $(seq 300); do
        kill -0 "$SCREEN_PID" 2>/dev/null || break
        number=$(tr -dc '0-9' <"$numberfile")
        if [ -n "$number" ] && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
            SCREEN_DISPLAY=":$number"
            break
        fi
        sleep 0.1
    done
    rm -f "$numberfile"
    [ -n "$SCREEN_DISPLAY" ]
}

# stop_screen: stops the screen start_screen started, by its pid.
stop_screen() {
    [ -n "${SCREEN_PID:-}" ] || return 0
    kill "$SCREEN_PID" 2>/dev/null || true
    wait "$SCREEN_PID" 2>/dev/null || true
    SCREEN_PID=
}
