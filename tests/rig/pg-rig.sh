#!/bin/bash
# A PostgreSQL server for the tests of the journal shared between tills, in a
# folder of its own, on a machine without an init system.
#
#   rig=$PWD/tests/rig/pg-rig.sh                     # absolute: the trap may run elsewhere
#   vars=$(bash "$rig" start) || exit 1              # prints export lines
#   trap 'bash "$rig" stop' EXIT
#   eval "$vars"                                     # ORMELINE_TEST_PG_HOST, _PORT, _DB, _OWNER, _USER
#   ctest -L pg ...
#
# start: makes a cluster with initdb in the rig's folder, listening on a Unix
# socket in that folder and on 127.0.0.1, with a database ormeline_test, the
# role ormeline_owner that owns it (and may create the databases a test asks
# for) and the tills' role ormeline_caisse, which gets nothing here: what a
# till may do is granted by the journal's own schema set-up. A server an
# earlier start left running there is reused.
# stop: stops the server by the pid in its postmaster.pid and removes the folder.
#
# This is a test rig, never a real set-up: every role is trusted without a
# password, on the socket and on 127.0.0.1 alone, so that tests need no secret.
#
# Run as root, the server runs as the postgres user (postgres refuses root);
# run as anyone else, as that user. ORMELINE_PG_DIR overrides the folder,
# ORMELINE_PG_PORT the port (else the first free one from 54329),
# ORMELINE_PG_BIN where initdb and pg_ctl are.
set -euo pipefail

RIG_DIR=${ORMELINE_PG_DIR:-${TMPDIR:-/tmp}/ormeline-pg-rig}
RIG_DIR=${RIG_DIR%/}
DATA=$RIG_DIR/data
LOG=$RIG_DIR/server.log
# Only a folder holding this file is ours to empty.
MARK=$RIG_DIR/.ormeline-pg-rig
PG_BIN=${ORMELINE_PG_BIN:-/usr/lib/postgresql/15/bin}
FIRST_PORT=54329
TIMEOUT=${ORMELINE_RIG_TIMEOUT:-30}
SUPERUSER=postgres
DATABASE=ormeline_test
OWNER=ormeline_owner
TILLS=ormeline_caisse
TILLS_GROUP=ormeline_caisses

say() { echo "pg-rig: $*" >&2; }
die() {
    say "$*"
    exit 1
}

if [ "$(id -u)" -eq 0 ]; then
    SERVER_USER=postgres
    as_server() { (cd "$RIG_DIR" && runuser -u "$SERVER_USER" -- "$@"); }
else
    SERVER_USER=$(id -un)
    as_server() { (cd "$RIG_DIR" && "$@"); }
fi

# shellcheck source=/dev/null
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/process-lib.sh"

# The pid in postmaster.pid, if that process is still a postgres serving this
# folder's cluster (pids get reused, and other clusters run postgres too).
our_server() {
    local pid
    [ -s "$DATA/postmaster.pid" ] || return 1
    pid=$(head -n 1 "$DATA/postmaster.pid")
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    alive "$pid" || return 1
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = postgres ] || return 1
    [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$(readlink -f "$DATA")" ] || return 1
    echo "$pid"
}

# Something already accepts connections on that port of 127.0.0.1.
port_taken() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

answers() {
    "$PG_BIN/pg_isready" -q -h "$RIG_DIR" -p "$1" -d postgres -U "$SUPERUSER" \
        && "$PG_BIN/pg_isready" -q -h 127.0.0.1 -p "$1" -d postgres -U "$SUPERUSER"
}

sql() { "$PG_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$RIG_DIR" -p "$PORT" -U "$SUPERUSER" -d postgres; }

stop_server() {
    local pid
    pid=$(our_server) || return 0
    # The children are listed first: a postmaster killed outright leaves them
    # to notice on their own.
    local children
    children=$(pgrep -P "$pid" || true)
    as_server "$PG_BIN/pg_ctl" -D "$DATA" -m fast -t "$TIMEOUT" -s stop >&2 || say "pg_ctl could not stop server $pid"
    local waited=0
    while alive "$pid"; do
        if [ "$waited" -ge $((TIMEOUT * 10)) ]; then
            say "server $pid lingers, killing it"
            # shellcheck disable=SC2086 # one pid a word
            kill -KILL "$pid" $children 2>/dev/null || true
            break
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    say "server $pid stopped"
}

remove_folder() {
    [ -e "$RIG_DIR" ] || return 0
    [ -e "$MARK" ] || die "$RIG_DIR was not made by this rig: left as it is"
    rm -rf "$RIG_DIR"
}

make_cluster() {
    if [ -n "${ORMELINE_PG_PORT:-}" ]; then
        PORT=$ORMELINE_PG_PORT
        port_taken "$PORT" && die "port $PORT is taken"
    else
        PORT=$FIRST_PORT
        while port_taken "$PORT"; do
            [ "$PORT" -lt $((FIRST_PORT + 50)) ] || die "no free port from $FIRST_PORT to $PORT"
            PORT=$((PORT + 1))
        done
    fi

    if [ -e "$RIG_DIR" ] && [ ! -e "$MARK" ]; then
        rmdir "$RIG_DIR" 2>/dev/null || die "$RIG_DIR exists and was not made by this rig: set ORMELINE_PG_DIR elsewhere"
    fi
    remove_folder
    mkdir -p "$RIG_DIR"
    # The log too, since initdb's output is written to it from here.
    touch "$MARK" "$LOG"
    # Everyone may reach the socket; the cluster itself stays the server's.
    chmod 0755 "$RIG_DIR"
    chown -R "$SERVER_USER:" "$RIG_DIR"
    as_server test -w "$RIG_DIR" || die "$SERVER_USER cannot write in $RIG_DIR (a parent folder closed to it?): set ORMELINE_PG_DIR under /tmp"

    as_server "$PG_BIN/initdb" -D "$DATA" -U "$SUPERUSER" -A trust -E UTF8 --locale=C --no-instructions >>"$LOG" 2>&1 \
        || die "initdb failed, see $LOG"
    # 127.0.0.1 rather than localhost: a server of someone else's on ::1 at
    # the same port would otherwise answer a client that tries ::1 first.
    # Every commit reaches the disk, as it must for the journal's cheques.
    cat >>"$DATA/postgresql.conf" <<EOF

# tests/rig/pg-rig.sh
listen_addresses = '127.0.0.1'
port = $PORT
unix_socket_directories = '$RIG_DIR'
fsync = on
synchronous_commit = on
EOF
    cat >"$DATA/pg_hba.conf" <<'EOF'
# tests/rig/pg-rig.sh: a test rig, never a real set-up. Anyone on this
# machine may log in as any role without a password; nothing else may.
local all all              trust
host  all all 127.0.0.1/32 trust
EOF
    as_server "$PG_BIN/pg_ctl" -D "$DATA" -l "$LOG" -w -t "$TIMEOUT" -s start >&2 \
        || die "the server did not start, see $LOG"
}

start() {
    [ -x "$PG_BIN/initdb" ] || die "$PG_BIN/initdb not found (postgresql not installed?)"
    getent passwd "$SERVER_USER" >/dev/null || die "no user $SERVER_USER (postgresql not installed?)"
    # The folder is written unquoted into the server's settings, and the
    # socket's path must fit in 107 bytes.
    [[ $RIG_DIR =~ ^/[A-Za-z0-9/._-]+$ ]] || die "ORMELINE_PG_DIR must be an absolute path of letters, digits and /._-"
    [ $((${#RIG_DIR} + 18)) -le 107 ] || die "$RIG_DIR is too long for a socket's path"

    local pid
    if pid=$(our_server); then
        PORT=$(sed -n 4p "$DATA/postmaster.pid")
        if answers "$PORT" && [ "${ORMELINE_PG_PORT:-$PORT}" = "$PORT" ]; then
            say "server $pid already running on port $PORT, reused"
        else
            stop_server
            make_cluster
        fi
    else
        make_cluster
    fi

    local waited=0
    until answers "$PORT"; do
        [ "$waited" -lt $((TIMEOUT * 10)) ] || die "server not answering after ${TIMEOUT}s, see $LOG"
        sleep 0.1
        waited=$((waited + 1))
    done

    # Again on a reused server, so that its roles are what the tests expect.
    sql <<EOF || die "could not create the roles and database"
SET client_min_messages = warning;
DO \$\$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '$OWNER') THEN
        CREATE ROLE $OWNER;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '$TILLS') THEN
        CREATE ROLE $TILLS;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '$TILLS_GROUP') THEN
        CREATE ROLE $TILLS_GROUP NOLOGIN;
    END IF;
END
\$\$;
-- The journal gives its rights to the group every till's login is in, as
-- a shop's server is set up.
GRANT $TILLS_GROUP TO $TILLS;
ALTER ROLE $OWNER LOGIN CREATEDB NOSUPERUSER NOCREATEROLE NOREPLICATION NOBYPASSRLS;
ALTER ROLE $TILLS LOGIN NOCREATEDB NOSUPERUSER NOCREATEROLE NOREPLICATION NOBYPASSRLS;
-- So that the owner can drop a test's database while a till still holds a
-- connection to it.
GRANT pg_signal_backend TO $OWNER;
SELECT 'CREATE DATABASE $DATABASE OWNER $OWNER TEMPLATE template0 ENCODING ''UTF8'''
WHERE NOT EXISTS (SELECT FROM pg_database WHERE datname = '$DATABASE')
\gexec
EOF
    say "server on $RIG_DIR and 127.0.0.1, port $PORT"

    printf 'export ORMELINE_TEST_PG_HOST=%q\n' "$RIG_DIR"
    printf 'export ORMELINE_TEST_PG_PORT=%q\n' "$PORT"
    printf 'export ORMELINE_TEST_PG_DB=%q\n' "$DATABASE"
    printf 'export ORMELINE_TEST_PG_OWNER=%q\n' "$OWNER"
    printf 'export ORMELINE_TEST_PG_USER=%q\n' "$TILLS"
    printf 'export ORMELINE_TEST_PG_RIG=%q\n' "$(readlink -f "${BASH_SOURCE[0]}")"
}

# The server stopped and started again, its folder kept: a test's "server
# away". Tests that pause it hold the rig's lock.
resume() {
    our_server >/dev/null && return 0
    [ -e "$MARK" ] || die "no rig in $RIG_DIR"
    as_server "$PG_BIN/pg_ctl" -D "$DATA" -l "$LOG" -w -t "$TIMEOUT" -s start >&2 \
        || die "the server did not start again, see $LOG"
}

stop() {
    stop_server
    remove_folder
}

case "${1:-}" in
start) start ;;
stop) stop ;;
pause) stop_server ;;
resume) resume ;;
*) die "usage: $0 start|stop|pause|resume" ;;
esac
