#!/usr/bin/env bash
# Permission bits do not stop root, so a read-only folder only refuses a save
# for an ordinary user: when the suite runs as root, run the saving case as
# "nobody". As an ordinary user the bad-input test has already checked it, so
# there is nothing to do here (not a skip: nothing is left unchecked).
set -uo pipefail
prog=$1
if [ "$(id -u)" != 0 ]; then
  echo "not applicable: not run as root, and the bad-input test checked the save as this user"
  exit 0
fi
command -v runuser >/dev/null || { echo "SKIP: runuser (util-linux) is not installed"; exit 77; }
work=$(mktemp -d)
chmod 1777 "$work"
trap 'rm -rf "$work"' EXIT
# A copy "nobody" can reach wherever the build tree lies (/root is closed).
cp "$prog" "$work/test_badinput"
chmod 755 "$work/test_badinput"
runuser -u nobody -- env HOME="$work" TMPDIR="$work" "$work/test_badinput" "--gtest_filter=*Saving*"
