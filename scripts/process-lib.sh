# shellcheck shell=bash
# Shell functions shared by the scripts that start a server by hand and stop
# it by its pid (CUPS, PostgreSQL). Sourced.

# Running and not a zombie: once the shell that started a server has exited,
# the server's parent is whatever reaps orphans here, which may leave it a
# zombie.
alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}
