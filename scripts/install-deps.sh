#!/usr/bin/env bash
# Installs what Ormeline needs to build, run and be tested, from Debian's
# packages. Does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
    qt6-base-dev qt6-svg-dev cmake ninja-build g++   # build; QtSvg draws the program's pictures
    fonts-liberation                            # Arial's metric twin: word splits as on paper
    cups cups-client cups-bsd                   # the printing system
    printer-driver-cups-pdf                     # a "PDF" printer for a machine without one
    qt6-translations-l10n                       # Qt's own texts in French
    poppler-utils                               # pdftotext, to check printed positions
    xvfb xauth xdotool x11-utils imagemagick    # a virtual screen, asking it, screenshots of it
    dpkg-dev desktop-file-utils appstream       # the Debian package, and checking its menu entry
    libbenchmark-dev libxcb1-dev pkg-config     # the benchmarks under bench/
    lintian                                     # Debian's checker, run on the package by its test
    clang-14 libclang-rt-14-dev                 # the fuzz targets of tests/fuzz (libFuzzer)
    clang-format-14                             # the code's format (.clang-format)
    libqt6sql6-sqlite                           # the journal of printed cheques (SQLite through Qt SQL)
    libqt6sql6-psql                             # the journal shared by several tills (PostgreSQL through Qt SQL)
    postgresql postgresql-client                # a PostgreSQL 15 server for the tests only (tests/rig/pg-rig.sh)
    qt6-serialport-dev                          # serial cheque readers (Qt SerialPort)
    socat                                       # pseudo-terminal pairs standing for a serial reader in the tests
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installation des paquets : ${missing[*]}"
"${as_root[@]}" apt-get update -qq
# Without an init system apt reports that CUPS could not be reloaded; that is
# expected, the scripts start the scheduler themselves when they need it.
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
