#!/usr/bin/env bash
# Makes sure Ormeline has a printer to print on.
#
#   bash scripts/ensure-printer.sh          # before starting the program
#   bash scripts/ensure-printer.sh stop     # stops the scheduler it started
#
# Where no CUPS scheduler runs (a machine without an init system), starts
# cupsd, detached so that it outlives this script and the program, and makes
# sure the queue "PDF" exists: printer-driver-cups-pdf turns every job into a
# PDF file, so a cheque can be printed without a real printer. Where a
# scheduler already runs, changes nothing unless it has no printer at all, and
# then only adds the "PDF" queue.
#
# Exit status 1 when no printer could be provided: the program still starts,
# with an empty printer list.
set -euo pipefail

QUEUE=PDF
MODEL=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
PPD_FILE=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
BACKEND=/usr/lib/cups/backend/cups-pdf
PDF_CONF=/etc/cups/cups-pdf.conf
STATE_DIR=${ORMELINE_PRINTER_STATE:-/tmp/ormeline-printer}
PID_FILE=$STATE_DIR/cupsd.pid
LOG=$STATE_DIR/cupsd.log
TIMEOUT=30

say() { echo "$*"; }
fail() { echo "Imprimante : $*" >&2; exit 1; }

# shellcheck source=/dev/null
source "$(dirname "${BASH_SOURCE[0]}")/cups-lib.sh"

start_scheduler() {
    [ "$(id -u)" -eq 0 ] || fail "le service d'impression CUPS ne fonctionne pas ; lancez ce script en root pour le démarrer."
    [ -x /usr/sbin/cupsd ] || fail "CUPS n'est pas installé (paquet cups)."
    mkdir -p "$STATE_DIR"
    rm -f "$PID_FILE"
    # Its own session and no tie to our output: it keeps running after the
    # script, the program and their terminal have ended.
    # The tests' queues write to files; the scheduler reads this setting only
    # when it starts, so set it now rather than make the tests restart it.
    grep -q '^FileDevice Yes' /etc/cups/cups-files.conf || echo 'FileDevice Yes' >>/etc/cups/cups-files.conf
    setsid /usr/sbin/cupsd -f </dev/null >>"$LOG" 2>&1 &
    local pid=$!
    echo "$pid" >"$PID_FILE"
    local waited=0
    until scheduler_up; do
        alive "$pid" || fail "CUPS s'est arrêté au démarrage (voir $LOG et /var/log/cups/error_log)."
        [ "$waited" -lt $((TIMEOUT * 10)) ] || fail "CUPS ne répond pas après ${TIMEOUT} s (voir $LOG)."
        sleep 0.1
        waited=$((waited + 1))
    done
    say "Service d'impression CUPS démarré (pid $pid ; pour l'arrêter : bash $0 stop)."
}

add_pdf_queue() {
    [ "$(id -u)" -eq 0 ] || fail "aucune imprimante n'est installée ; lancez ce script en root pour ajouter l'imprimante PDF."
    [ -x "$BACKEND" ] || fail "le pilote PDF n'est pas installé (paquet printer-driver-cups-pdf)."
    local model=(-m "$MODEL")
    # The scheduler lists the driver under this name once the package is in;
    # the file itself serves where it does not.
    if ! lpinfo -m 2>/dev/null | grep -q "^$MODEL "; then
        [ -r "$PPD_FILE" ] || fail "le modèle d'imprimante $MODEL est introuvable (paquet printer-driver-cups-pdf)."
        model=(-P "$PPD_FILE")
    fi
    # lpadmin warns that drivers are deprecated even when all goes well: its
    # words are shown only when it fails.
    local errors
    if ! errors=$(lpadmin -p "$QUEUE" -E -v cups-pdf:/ "${model[@]}" -D "Imprimante PDF" 2>&1); then
        echo "$errors" >&2
        fail "l'imprimante $QUEUE n'a pas pu être créée."
    fi
    # Without a default printer the program would measure its texts on none
    # until a printer is chosen.
    if ! lpstat -d 2>/dev/null | grep -q ':'; then
        lpadmin -d "$QUEUE" || true
    fi
    say "Imprimante « $QUEUE » ajoutée."
}

# The folder cups-pdf writes into for the user who prints: its "Out" setting,
# with ${HOME} and ${USER} as that user's.
# shellcheck disable=SC2016 # the literal ${HOME} and ${USER} of the setting
pdf_folder() {
    local out user home
    out=$(awk '$1 == "Out" { $1 = ""; sub(/^ +/, ""); value = $0 } END { print value }' "$PDF_CONF" 2>/dev/null)
    [ -n "$out" ] || out='/var/spool/cups-pdf/${USER}'
    user=$(id -un)
    home=$(getent passwd "$user" | cut -d: -f6)
    out=${out//'${HOME}'/$home}
    out=${out//'${USER}'/$user}
    echo "$out"
}

ensure() {
    local started=no
    if ! scheduler_up; then
        start_scheduler
        started=yes
    fi

    if lpstat -v "$QUEUE" >/dev/null 2>&1; then
        :
    elif [ "$started" = yes ] || [ -z "$(lpstat -e 2>/dev/null)" ]; then
        add_pdf_queue
    fi

    if LC_ALL=C lpstat -v "$QUEUE" 2>/dev/null | grep -q 'cups-pdf:'; then
        say "Les chèques imprimés sur « $QUEUE » sont enregistrés en fichiers PDF dans : $(pdf_folder)"
    fi
    local printers
    printers=$(lpstat -e 2>/dev/null | paste -sd ' ' -)
    [ -n "$printers" ] || fail "aucune imprimante n'est disponible."
    say "Imprimantes disponibles : $printers"
}

stop() {
    local pid
    if ! pid=$(our_cupsd); then
        say "Aucun service d'impression démarré par ce script n'est en cours."
        rm -f "$PID_FILE"
        return 0
    fi
    kill -TERM "$pid"
    local waited=0
    while alive "$pid"; do
        if [ "$waited" -ge $((TIMEOUT * 10)) ]; then
            kill -KILL "$pid" 2>/dev/null || true
            break
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    rm -f "$PID_FILE"
    say "Service d'impression CUPS arrêté (pid $pid)."
}

case "${1:-}" in
"") ensure ;;
stop) stop ;;
*) echo "usage : $0 [stop]" >&2; exit 2 ;;
esac
