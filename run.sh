#!/usr/bin/env bash
# Sets everything up, builds and starts the designer: ./run.sh [FILE.lbl|FILE.lbf]
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build

if [ ! -x build/quorvane ]; then
  echo "The designer is not built yet."
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the designer on a desktop with: ./run.sh [FILE]"
  echo "or under a virtual X server: xvfb-run -a build/quorvane [FILE]"
  exit 0
fi
# Label fonts (宋体, Courier New, Arial) resolve as they do once installed.
if [ -z "${FONTCONFIG_FILE:-}" ] && [ -f build/fontconfig/fonts.conf ]; then
  export FONTCONFIG_FILE="$PWD/build/fontconfig/fonts.conf"
fi
FILE="${1:-examples/product.lbl}"
[ -e "$FILE" ] || FILE=""
exec build/quorvane ${FILE:+"$FILE"}
