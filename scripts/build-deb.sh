#!/usr/bin/env bash
# Builds the Debian package from a clean Release build in build-deb/ and
# prints the path of the .deb. Install it with: apt install ./quorvane_*.deb
#   scripts/build-deb.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD="${1:-build-deb}"
scripts/deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD"
rm -f "$BUILD"/quorvane_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD"/quorvane_*.deb)
echo "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
