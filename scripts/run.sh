#!/usr/bin/env bash
# Installs what is needed, builds Ormeline and starts it in its working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

bash scripts/install-deps.sh
bash scripts/build.sh build/app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMELINE_BUILD_TESTS=OFF

# The program reads and writes its files in the folder it is started in. The
# first start fills that folder from seed/; the user's own files are never
# overwritten.
work=${XDG_DATA_HOME:-$HOME/.local/share}/ormeline
mkdir -p "$work"
if [ -d seed ]; then
    for file in seed/*; do
        [ -e "$file" ] || continue
        cp -n "$file" "$work/"
    done
fi
echo "Dossier de travail : $work"

# A printer to print on: where no printing system runs (a fresh machine),
# start one with a "PDF" printer whose cheques come out as PDF files.
bash "$repo/scripts/ensure-printer.sh" || echo "Aucune imprimante n'a pu être préparée : Ormeline démarre sans imprimante."

cd "$work"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$repo/build/app/src/ormeline"
fi

# No screen: a virtual one, so that the program can still be started.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
cat <<MSG
Aucun écran n'est disponible : Ormeline démarre sur un écran virtuel (Xvfb, DISPLAY=:$display).
  Voir la fenêtre :   DISPLAY=:$display import -window root /tmp/ormeline.png
  Cliquer, taper :    DISPLAY=:$display xdotool mousemove X Y click 1 ; DISPLAY=:$display xdotool type 'texte'
  Quitter :           le bouton Fin de la fenêtre, ou Ctrl+C ici (sans enregistrer les réglages)
MSG
DISPLAY=":$display" "$repo/build/app/src/ormeline"
