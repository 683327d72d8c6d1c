#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) in build-fuzz/ and runs
# each for SECONDS (default 60).
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Environment: JOBS (targets run at once, default 1), NICE (default 19).
# New interesting inputs go to build-fuzz/corpus/<target>/; a failing input is
# written to build-fuzz/artifacts/<target>/ and the script exits non-zero.
# Keep a failing input by copying it to tests/fuzz/corpus/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=${1:-60}
shift || true
ALL=(inifile labelfile settings dataimport datetime barcode picture spreadsheet request)
[ $# -gt 0 ] && TARGETS=("$@") || TARGETS=("${ALL[@]}")
JOBS=${JOBS:-1}
NICE=${NICE:-19}
B=build-fuzz

command -v clang++-14 >/dev/null || {
  echo "fuzz.sh: needs clang++-14 with its sanitizer runtimes (Debian: clang-14 libclang-rt-14-dev)" >&2
  exit 2
}

if [ ! -f "$B/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$B" -G Ninja -DQV_FUZZ=ON -DQV_BUILD_TESTS=OFF \
    -DQV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
nice -n "$NICE" ninja -C "$B" -j2 "${TARGETS[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local t=$1
  local corpus=$B/corpus/$t artifacts=$B/artifacts/$t log=$B/logs/$t.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  local maxlen=4096
  case $t in labelfile|inifile|picture) maxlen=16384 ;; esac
  local status=0
  nice -n "$NICE" "$B/tests/fuzz/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=25 -rss_limit_mb=3072 \
    -max_len=$maxlen -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" "tests/fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  local execs secs
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  printf '%s %-10s status %s, %s s, %s executions\n' "$(date +%H:%M)" "$t" "$status" "${secs:-?}" "${execs:-?}" \
    | tee -a "$B/fuzz-results.txt"
  [ "$status" -eq 0 ] || { grep -E 'FUZZ CHECK|ERROR|SUMMARY|Test unit written' "$log" | head -8; return 1; }
}

failed=0
running=0
for t in "${TARGETS[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
