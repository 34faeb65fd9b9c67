#!/bin/sh
# Rebuilds the program's pictures from tools/artwork/generate.cpp:
#   resources/images/*.png   the pictures compiled into the program (src/CMakeLists.txt
#                            lists every PNG there as :/images/NAME.png)
#   seed/fc_img_024.gif      the default shop picture placed in the working folder
# Needs Qt 6 (Gui), CMake and ImageMagick's convert.
#   PREVIEW=/tmp/sheet.png tools/artwork/regenerate.sh   also draws a contact sheet
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-artwork"
images="$root/resources/images"

cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build"

mkdir -p "$images" "$root/seed"
QT_QPA_PLATFORM=offscreen "$build/generate-artwork" "$images"

# GIF keeps only on/off transparency: half-transparent edge pixels are
# blended on a warm off-white, close to both the dialog's white and the
# cheque's paper, and kept when they are more than faintly covered.
convert "$images/fc_img_024.png" \
    \( -clone 0 -background '#fdfaf2' -flatten \) \
    \( -clone 0 -alpha extract -threshold 8% \) \
    -delete 0 -alpha off -compose CopyOpacity -composite \
    "$root/seed/fc_img_024.gif"

if [ -n "${PREVIEW:-}" ]; then
    QT_QPA_PLATFORM=offscreen "$build/preview-artwork" "$images" "$PREVIEW"
fi
