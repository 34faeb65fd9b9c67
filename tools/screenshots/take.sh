#!/usr/bin/env bash
# Pictures of the main window and of every prompt dialog mode at 1024 x 768,
# on a virtual screen: take.sh [OUTDIR] (default /tmp/ormeline-screenshots).
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
out=${1:-/tmp/ormeline-screenshots}
mkdir -p "$out"
bash scripts/build.sh build/app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMELINE_BUILD_TESTS=OFF -DORMELINE_BUILD_TOOLS=ON

work=$(mktemp -d)
cp seed/* "$work/"
# A cheque handed over, so that the words show.
printf '%400s     1575.98        ' '' >"$work/provchq.wdo"

display=98
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

(cd "$work" && DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$repo/build/app/tools/screenshots/ormeline-screenshots" "$out")
ls "$out"
