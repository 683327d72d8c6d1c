#!/usr/bin/env bash
# Permission bits do not stop root, so a read-only folder only refuses a save
# for an ordinary user: when run as root, run the saving case as "nobody".
# Exit 77 (skipped) when that user cannot reach the test program.
set -uo pipefail
prog=$1
filter='--gtest_filter=*Saving*'
if [ "$(id -u)" != 0 ]; then
  exec "$prog" "$filter"
fi
if ! command -v runuser >/dev/null || ! runuser -u nobody -- test -x "$prog"; then
  echo "SKIP: user nobody cannot run $prog"
  exit 77
fi
work=$(mktemp -d)
chmod 1777 "$work"
trap 'rm -rf "$work"' EXIT
exec runuser -u nobody -- env HOME="$work" TMPDIR="$work" XDG_RUNTIME_DIR="$work" "$prog" "$filter"
