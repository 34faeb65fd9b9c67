# Shell functions shared by the scripts that start and stop CUPS by hand.
# Sourced; the caller sets PID_FILE to where it keeps the pid it started.

scheduler_up() {
    # lpstat -r exits 0 whether the scheduler runs or not: read what it says.
    [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ]
}

# shellcheck source=/dev/null
source "$(dirname "${BASH_SOURCE[0]}")/process-lib.sh"

# The pid in PID_FILE, if that process is still a cupsd (pids get reused).
our_cupsd() {
    local pid
    [ -s "$PID_FILE" ] || return 1
    pid=$(cat "$PID_FILE")
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] || return 1
    echo "$pid"
}
