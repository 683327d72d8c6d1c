#!/usr/bin/env bash
# Sets everything up, builds and runs every test. Exit status is the result.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/ (the
#                         packaging checks left to the normal build)
#   ./test.sh --tsan      ThreadSanitizer build in build-tsan/ of the threaded
#                         print test alone (tests/tsan.supp: Qt is not
#                         instrumented)
set -euo pipefail
cd "$(dirname "$0")"

BUILD=build
# Line tables only (-g1): sanitizer reports and backtraces keep their file and
# line, and the three builds of a CI run compile a fifth faster.
EXTRA=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG")
TARGETS=()
TESTS=()
if [ "${1:-}" = "--tsan" ]; then
  BUILD=build-tsan
  EXTRA=(-DQV_TSAN=ON -DQV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1)
  TARGETS=(--target test_concurrent)
  TESTS=(-R '^concurrent$')
  # Qt is not instrumented: what its own code allocates and copies is not
  # reported (its locks are invisible to the sanitizer); our code is checked.
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1 suppressions=$PWD/tests/tsan.supp"
elif [ "${1:-}" = "--sanitize" ]; then
  BUILD=build-asan
  EXTRA=(-DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1)
  # The packaging checks build and install the package: they run nothing of
  # ours that the other tests do not, and the normal build runs them.
  TESTS=(-LE packaging)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/deps.sh
cmake -S . -B "$BUILD" -G Ninja "${EXTRA[@]}" >/dev/null
cmake --build "$BUILD" "${TARGETS[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j2 "${TESTS[@]}"
