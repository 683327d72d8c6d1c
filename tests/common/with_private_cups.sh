#!/usr/bin/env bash
# Runs a command against a private CUPS scheduler that has one PDF queue, the
# default printer, writing into a temporary folder. The command finds the
# queue's name in QV_CUPS_QUEUE and the file it prints into in QV_CUPS_OUTPUT.
set -u
# shellcheck source=cups_private.sh
source "$(dirname "$0")/cups_private.sh"
if why=$(cups_missing); then
  echo "SKIP: $why"
  exit 77
fi
T=$(mktemp -d)
trap 'cups_stop; rm -rf "$T"' EXIT
trap 'exit 143' INT TERM HUP
cups_start "$T" || exit 1
cups_add_queue qvtest "$T/qvtest.out" || exit 1
export QV_CUPS_QUEUE=qvtest QV_CUPS_OUTPUT="$T/qvtest.out"
"$@"
