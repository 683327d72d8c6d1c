#!/usr/bin/env bash
# Sets everything up, builds and runs every test. Exit status is the result.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

BUILD=build
EXTRA=()
if [ "${1:-}" = "--sanitize" ]; then
  BUILD=build-asan
  EXTRA=(-DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/deps.sh
cmake -S . -B "$BUILD" -G Ninja "${EXTRA[@]}" >/dev/null
cmake --build "$BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j2
