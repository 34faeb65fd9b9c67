#!/bin/bash
# A CUPS queue for the printing tests, on a machine without an init system.
#
#   rig=$PWD/tests/rig/cups-rig.sh                   # absolute: the trap may run elsewhere
#   vars=$(bash "$rig" start) || exit 1              # prints export lines
#   trap 'bash "$rig" stop' EXIT
#   eval "$vars"                                     # ORMELINE_TEST_QUEUE, ORMELINE_TEST_PDF
#   ctest ...
#
# start: runs cupsd only if no scheduler answers, and (re)creates the queue
# OrmelineTest: Generic-PDF driver, file: device, so each job's PDF (Qt's own,
# text extractable) lands in one known file.
# stop: removes the queue, and stops cupsd only if start launched it.
#
# Needs root (lpadmin, cupsd). ORMELINE_RIG_DIR overrides the state folder.
set -euo pipefail

QUEUE=OrmelineTest
RIG_DIR=${ORMELINE_RIG_DIR:-${TMPDIR:-/tmp}/ormeline-cups-rig}
OUT_DIR=$RIG_DIR/out
PDF=$OUT_DIR/ormeline-test.pdf
PID_FILE=$RIG_DIR/cupsd.pid
LOG=$RIG_DIR/cupsd.log
PPD=lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
FILES_CONF=/etc/cups/cups-files.conf
TIMEOUT=${ORMELINE_RIG_TIMEOUT:-30}

say() { echo "cups-rig: $*" >&2; }
die() { say "$*"; exit 1; }

# shellcheck source=/dev/null
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/cups-lib.sh"

start() {
    [ "$(id -u)" -eq 0 ] || die "must run as root"
    command -v cupsd >/dev/null || [ -x /usr/sbin/cupsd ] || die "cupsd not installed"
    mkdir -p "$RIG_DIR" "$OUT_DIR"

    # The file: device is refused unless the scheduler is told to allow it;
    # it reads this file only when it starts.
    if ! grep -q '^FileDevice Yes' "$FILES_CONF"; then
        scheduler_up && die "$FILES_CONF lacks 'FileDevice Yes' and a scheduler already runs: add it and restart cupsd"
        echo 'FileDevice Yes' >>"$FILES_CONF"
    fi

    if ! scheduler_up; then
        rm -f "$PID_FILE"
        # Detached from our stdout: `eval "$(... start)"` would otherwise wait
        # for cupsd to end.
        /usr/sbin/cupsd -f </dev/null >>"$LOG" 2>&1 &
        echo $! >"$PID_FILE"
        local waited=0
        until scheduler_up; do
            alive "$(cat "$PID_FILE")" || die "cupsd exited at start, see $LOG and /var/log/cups/error_log"
            [ "$waited" -lt $((TIMEOUT * 10)) ] || die "scheduler not running after ${TIMEOUT}s"
            sleep 0.1
            waited=$((waited + 1))
        done
        say "cupsd started, pid $(cat "$PID_FILE")"
    else
        # Ours from an earlier start, or someone else's: then forget any stale pid.
        our_cupsd >/dev/null || rm -f "$PID_FILE"
        say "scheduler already running, left as it is"
    fi

    # A queue left by an earlier run may hold jobs or point elsewhere.
    lpadmin -x "$QUEUE" 2>/dev/null || true
    rm -f "$PDF"
    lpadmin -p "$QUEUE" -E -v "file://$PDF" -m "$PPD" -D "Ormeline tests" \
        || die "could not create queue $QUEUE"
    lpstat -p "$QUEUE" >/dev/null 2>&1 || die "queue $QUEUE not listed after creation"
    say "queue $QUEUE writes $PDF"

    printf 'export ORMELINE_TEST_QUEUE=%q\n' "$QUEUE"
    printf 'export ORMELINE_TEST_PDF=%q\n' "$PDF"
}

stop() {
    if scheduler_up; then
        cancel -a "$QUEUE" 2>/dev/null || true
        lpadmin -x "$QUEUE" 2>/dev/null || true
    fi
    local pid
    if pid=$(our_cupsd); then
        kill -TERM "$pid"
        local waited=0
        while alive "$pid"; do
            if [ "$waited" -ge $((TIMEOUT * 10)) ]; then
                say "cupsd $pid ignores TERM, killing it"
                kill -KILL "$pid" 2>/dev/null || true
                break
            fi
            sleep 0.1
            waited=$((waited + 1))
        done
        say "cupsd $pid stopped"
    fi
    rm -f "$PID_FILE" "$PDF"
    rmdir "$OUT_DIR" 2>/dev/null || true
}

case "${1:-}" in
start) start ;;
stop) stop ;;
*) die "usage: $0 start|stop" ;;
esac
