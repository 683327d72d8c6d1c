#!/usr/bin/env bash
# Permission bits do not stop root, so a read-only folder only refuses a save
# for an ordinary user: when the suite runs as root, run the saving case as
# "nobody". Exit 77 (skipped) otherwise: as an ordinary user the bad-input test
# has already checked it, and "nobody" may not reach the test program.
set -uo pipefail
prog=$1
if [ "$(id -u)" != 0 ] || ! command -v runuser >/dev/null || ! runuser -u nobody -- test -x "$prog"; then
  echo "SKIP: not root, or user nobody cannot run $prog"
  exit 77
fi
work=$(mktemp -d)
chmod 1777 "$work"
trap 'rm -rf "$work"' EXIT
runuser -u nobody -- env HOME="$work" TMPDIR="$work" "$prog" "--gtest_filter=*Saving*"
