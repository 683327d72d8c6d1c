#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quorvane
# needs. Quick when all is present: apt-get runs only for what is missing.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 libgl-dev
  # pictures: SVG drawn as vector, TIFF and WebP through Qt's image plugins
  qt6-svg-dev qt6-image-formats-plugins
  libjpeg-dev libcups2-dev libpng-dev libzint-dev libfontconfig-dev
  # spreadsheets: zip archives (.xlsx, .ods) and .xls workbooks
  libzip-dev libfreexl-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  # the print service's HTTP server (its CMake package needs the WebSockets one)
  qt6-httpserver-dev qt6-websockets-dev
  # its TLS: the key checked against the certificate before it listens;
  # openssl makes the tests' certificates, systemd-analyze checks the unit
  libssl-dev openssl systemd
  # fonts the labels use: metric twins of Arial/Courier New, and a CJK face
  fonts-liberation fonts-wqy-zenhei
  # tests: GoogleTest, a real barcode decoder, PDF rasteriser, X server;
  # the fuzz targets (scripts/fuzz.sh): clang with its sanitizers
  clang-14 libclang-rt-14-dev
  libgtest-dev googletest libzbar-dev zbar-tools libzxing-dev zint poppler-utils
  xvfb xauth imagemagick
  # the print service's status page in a real browser
  chromium
  # printing tests: a private CUPS scheduler with PDF and file queues
  cups cups-bsd cups-client printer-driver-cups-pdf
  # database sources: Qt SQL drivers, the keyring, and for the tests a real
  # PostgreSQL server and SQLite
  libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-mysql libqt6sql6-odbc qtkeychain-qt6-dev
  postgresql postgresql-client sqlite3 python3
  # the print service's benchmark (bench/server_bench.sh): ApacheBench
  apache2-utils
  # desktop integration
  desktop-file-utils shared-mime-info
  # installing and packaging: icon rendering, .deb tools, XML and font checks
  librsvg2-bin dpkg-dev libxml2-utils fontconfig appstream
  # makers' label sheets for the stock choice
  glabels-data
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}" >&2
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
