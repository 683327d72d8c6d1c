#!/usr/bin/env bash
# Sets everything up, builds and starts the designer: ./run.sh [FILE.lbl|FILE.lbf]
set -euo pipefail
# A file named on the command line is the caller's, relative to where they are.
FILE="${1:-}"
if [ -n "$FILE" ] && [ "${FILE#/}" = "$FILE" ]; then
  FILE="$PWD/$FILE"
fi
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
# Only the designer and what it links: the test suite is ./test.sh's business.
cmake --build build --target quorvane

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the designer on a desktop with: ./run.sh [FILE]"
  echo "or under a virtual X server: xvfb-run -a build/quorvane [FILE]"
  exit 0
fi
# Label fonts (宋体, Courier New, Arial) resolve as they do once installed.
if [ -z "${FONTCONFIG_FILE:-}" ] && [ -f build/fontconfig/fonts.conf ]; then
  export FONTCONFIG_FILE="$PWD/build/fontconfig/fonts.conf"
fi
if [ -z "$FILE" ] && [ -e examples/product.lbl ]; then
  FILE="$PWD/examples/product.lbl"
fi
exec build/quorvane ${FILE:+"$FILE"}
