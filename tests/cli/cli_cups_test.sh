#!/usr/bin/env bash
# Printing to real printer queues: a private CUPS scheduler whose PDF queues
# write into this test's folder. A merge prints every label (rasterised and
# read back with zbar); Ctrl+C or SIGTERM during a job aborts it, so the
# scheduler receives nothing, and a cancelled PDF leaves the old file as it was.
set -uo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
for tool in pdftoppm zbarimg; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if why=$(cups_missing); then echo "SKIP: $why"; exit 77; fi
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
trap 'cups_stop; rm -rf "$T"' EXIT
trap 'exit 143' INT TERM HUP
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cups_start "$T" || { echo "FAIL: the private scheduler did not start"; exit 1; }
cups_add_queue office "$T/office.out" 2>/dev/null || { echo "FAIL: cannot add a queue"; exit 1; }
cups_add_queue spare "$T/spare.out" 2>/dev/null || { echo "FAIL: cannot add a queue"; exit 1; }
mkdir -p "$T/tmp" "$T/run" "$T/pdf"
chmod 700 "$T/run"
export TMPDIR="$T/tmp" XDG_RUNTIME_DIR="$T/run"

# 2 x 1 in labels holding a Code 128 of column 1.
cat >"$T/sku.lbl" <<'LBL'
[FORMAT]
WIDTH=2
HEIGHT=1
TOPMARGIN=0.5
LEFTMARGIN=0.5
GAPHEIGHT=0.25
GAPWIDTH=0.25
METRIC=0
CONTROLS=1

[CNT_1]
TYPE=BARCODE
BCTYPE=0
SCALE=1
INTERPRET=1
AUTOSCALE=1
TOP=0.1
LEFT=0.1
WIDTH=1.8
HEIGHT=0.8
AUTOSIZE=0
TRANSPARENT=0
ROTATE=0
ALIGN=6
HALIGN=0
VALIGN=3
FONT_NAME=Courier New
FONT_SIZE=8
ADVANCED=1
ADV_COUNT=1
ADVTYPE_1=FIELD
ADVNUM_1=1
ADVSIZE_1=0
ADVCHAR_1=32
LBL
{
  echo "sku"
  for i in 1 2 3 4 5 6 7; do printf 'QV-%05d\r\n' "$i"; done
} >"$T/stock.csv"

# 1. A merge of 7 records on the printer: one job, every label on paper.
"$CLI" print "$T/sku.lbl" --data "$T/stock.csv" --printer office --quiet || fail "print exited with $?"
cups_wait_idle 120 || fail "the job did not leave the queue"
[ "$(cups_completed_jobs | wc -l)" = 1 ] || fail "completed jobs: $(cups_completed_jobs)"
if [ -s "$T/office.out" ]; then
  pdftoppm -r 300 -gray "$T/office.out" "$T/page" || fail "the printed output is not a document"
  got=$(zbarimg -q --raw "$T"/page*.pgm 2>/dev/null | tr -d '\r' | sort | tr '\n' ' ')
  want=$(for i in 1 2 3 4 5 6 7; do printf 'QV-%05d ' "$i"; done)
  [ "$got" = "$want" ] || fail "printed labels read '$got', expected '$want'"
  rm -f "$T"/page*.pgm
else
  fail "nothing was printed"
fi
[ -z "$(ls -A "$T/tmp")" ] || fail "spool files left: $(ls -A "$T/tmp")"

# Starts a long job, waits until it has its output open (a file whose name
# starts with OPEN), sends SIG and sets rc and msg. A job that does not stop
# within a minute is killed.
cancel_job() { # signal open-prefix args...
  local sig="$1" open="$2"; shift 2
  local i
  "$CLI" print "$T/sku.lbl" --pages 1000000 --quiet "$@" 2>"$T/err" &
  local pid=$!
  for i in $(seq 1 600); do
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -qF -- "$open" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -"$sig" "$pid" 2>/dev/null
  for i in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    fail "SIG$sig did not stop the job"
  fi
  wait "$pid"
  rc=$?
  msg=$(cat "$T/err")
}

# 2. Ctrl+C and SIGTERM during a job to a printer: the scheduler never sees it.
for sig in INT TERM; do
  cancel_job "$sig" "$T/tmp/quorvane-" --printer spare
  [ "$rc" = 130 ] || fail "SIG$sig: status $rc, expected 130 ($msg)"
  [ "$msg" = "Printing cancelled." ] || fail "SIG$sig: message '$msg'"
  [ -z "$(ls -A "$T/tmp")" ] || fail "SIG$sig: spool files left: $(ls -A "$T/tmp")"
  cups_wait_idle 120
  [ -z "$(lpstat -W all -o spare 2>/dev/null)" ] || fail "SIG$sig: the scheduler got a job: $(lpstat -W all -o spare)"
  [ ! -e "$T/spare.out" ] || fail "SIG$sig: the printer printed $(stat -c %s "$T/spare.out") bytes"
done

# 3. A cancelled PDF leaves the file that was there untouched, and nothing else.
echo "the old document" >"$T/pdf/labels.pdf"
cancel_job INT "$T/pdf/" --output "$T/pdf/labels.pdf"
[ "$rc" = 130 ] || fail "PDF: status $rc, expected 130 ($msg)"
[ "$msg" = "Printing cancelled." ] || fail "PDF: message '$msg'"
[ "$(cat "$T/pdf/labels.pdf")" = "the old document" ] || fail "PDF: the old file was changed"
[ "$(ls -A "$T/pdf")" = "labels.pdf" ] || fail "PDF: files left: $(ls -A "$T/pdf")"

# 4. A maker's sheet asks the printer for the sheet's own paper.
cups_add_queue sheets "$T/sheets.out" 2>/dev/null || fail "cannot add the sheets queue"
for row in "Avery 5160|612 x 792" "Avery L7160|595.* x 84[12]"; do
  rm -f "$T/sheets.out"
  "$CLI" print "$T/sku.lbl" --stock "${row%%|*}" --printer sheets --quiet || fail "${row%%|*}: print exited with $?"
  cups_wait_idle 120 || fail "${row%%|*}: the job did not leave the queue"
  pdfinfo "$T/sheets.out" 2>/dev/null | grep -q "Page size: *${row#*|}" ||
    fail "${row%%|*}: paper $(pdfinfo "$T/sheets.out" 2>&1 | grep 'Page size')"
done

# 5. A job on a stopped queue is queued, not failed: status 4 and its id. With
#    --wait the command returns once the job is printed (0) or cancelled (1);
#    Ctrl+C ends the waiting only (4), the job stays and prints when the queue
#    starts.
wait_for_err() { # pattern: until the waiting command's stderr says it
  local i
  for i in $(seq 1 100); do
    grep -qF "$1" "$T/err" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
cupsdisable spare 2>/dev/null || "$(_cups_bin cupsdisable)" spare
"$CLI" print "$T/sku.lbl" --data "$T/stock.csv" --labels 1 --printer spare --quiet >"$T/out" 2>"$T/err"
rc=$?
[ "$rc" = 4 ] || fail "stopped queue: status $rc, expected 4 ($(cat "$T/err"))"
[[ "$(cat "$T/out")" =~ ^job\ [0-9]+\ on\ spare:\ (pending|held) ]] || fail "stopped queue: stdout '$(cat "$T/out")'"
"$CLI" print "$T/sku.lbl" --data "$T/stock.csv" --labels 1 --printer spare --quiet --wait >"$T/out" 2>"$T/err" &
pid=$!
wait_for_err "waiting for job" || fail "--wait: no word of the stopped queue: '$(cat "$T/err")'"
kill -INT "$pid"
wait "$pid"
rc=$?
[ "$rc" = 4 ] || fail "--wait, Ctrl+C: status $rc, expected 4"
grep -qF "stopped waiting" "$T/err" || fail "--wait, Ctrl+C: stderr '$(cat "$T/err")'"
[ "$(lpstat -o spare | wc -l)" = 2 ] || fail "--wait, Ctrl+C: queued jobs '$(lpstat -o spare)'"
"$CLI" print "$T/sku.lbl" --data "$T/stock.csv" --labels 1 --printer spare --quiet --wait >"$T/out" 2>"$T/err" &
pid=$!
wait_for_err "waiting for job" || fail "--wait: no word of the stopped queue: '$(cat "$T/err")'"
cancel "spare-$(sed -n 's/^job \([0-9]*\) .*/\1/p' "$T/out" | head -n 1)"
wait "$pid"
rc=$?
[ "$rc" = 1 ] || fail "--wait, job cancelled: status $rc, expected 1"
grep -qF "did not print job" "$T/err" && grep -qF "it was canceled" "$T/err" || fail "--wait, job cancelled: stderr '$(cat "$T/err")'"
"$CLI" print "$T/sku.lbl" --data "$T/stock.csv" --labels 1 --printer spare --quiet --wait >"$T/out" 2>"$T/err" &
pid=$!
wait_for_err "waiting for job" || fail "--wait: no word of the stopped queue: '$(cat "$T/err")'"
cupsenable spare 2>/dev/null || "$(_cups_bin cupsenable)" spare
wait "$pid"
rc=$?
[ "$rc" = 0 ] || fail "--wait: status $rc, expected 0 ($(cat "$T/err"))"
[[ "$(tail -n 1 "$T/out")" =~ ^job\ [0-9]+\ on\ spare:\ completed$ ]] || fail "--wait: stdout '$(cat "$T/out")'"
cups_wait_idle 120 || fail "the queued jobs did not print"
[ "$(lpstat -W completed -o spare | wc -l)" = 4 ] || fail "ended on spare (3 printed, 1 cancelled): '$(lpstat -W completed -o spare)'"

# 6. With no default printer (office, the default, removed) a job without
#    --printer is refused, naming every queue; none is listed as the default.
"$(_cups_bin lpadmin)" -x office
unset LPDEST PRINTER
"$CLI" print "$T/sku.lbl" --quiet >"$T/out" 2>"$T/err"
rc=$?
[ "$rc" = 2 ] || fail "no default: status $rc, expected 2"
grep -qF "no default printer; choose one with --printer: sheets, spare" "$T/err" || fail "no default: '$(cat "$T/err")'"

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
