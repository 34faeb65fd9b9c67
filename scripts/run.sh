#!/usr/bin/env bash
# Installs what is needed, builds Ormeline and starts it. The program itself
# picks its working folder (see README.md): run from here, it uses the
# user's data folder, filled with the generic layouts on first use.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
program=$repo/build/app/src/ormeline

bash scripts/install-deps.sh
bash scripts/build.sh build/app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMELINE_BUILD_TESTS=OFF

# A printer to print on: where no printing system runs (a fresh machine),
# start one with a "PDF" printer whose cheques come out as PDF files.
bash "$repo/scripts/ensure-printer.sh" || echo "Aucune imprimante n'a pu être préparée : Ormeline démarre sans imprimante."

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

# No screen: a virtual one, so that the program can still be started.
# shellcheck source=/dev/null
source "$repo/scripts/screen-lib.sh"
state=${XDG_STATE_HOME:-$HOME/.local/state}/ormeline
mkdir -p "$state"
log=$state/ecran-virtuel.log
trap stop_screen EXIT
if ! start_screen "$log"; then
    echo "L'écran virtuel (Xvfb) n'a pas démarré en 30 secondes : Ormeline ne peut pas s'afficher." >&2
    echo "Ce qu'il a dit est dans : $log" >&2
    exit 1
fi
display=$SCREEN_DISPLAY

cat <<MSG
Aucun écran n'est disponible : Ormeline démarre sur un écran virtuel (Xvfb, DISPLAY=$display).
  Voir la fenêtre :   DISPLAY=$display import -window root /tmp/ormeline.png
  Cliquer, taper :    DISPLAY=$display xdotool mousemove X Y click 1 ; DISPLAY=$display xdotool type 'texte'
  Quitter :           le bouton Fin de la fenêtre, ou Ctrl+C ici (sans enregistrer les réglages)
  Journal de l'écran virtuel : $log
MSG
DISPLAY="$display" "$program" "$@"
