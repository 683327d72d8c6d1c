#!/bin/bash
# The print service killed with SIGKILL: a job cut off while it was drawn is
# printed again, once and whole; a job the scheduler already took is not sent
# a second time.
# Every wait is bounded by time, not by a count of tries, so a loaded machine
# slows the test down instead of failing it; an early end says where it was
# and shows the server's log.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
# shellcheck source=../common/service_files.sh
source "$HERE/../common/service_files.sh"
if why=$(cups_missing); then echo "SKIP: $why"; exit 77; fi
for tool in curl pdftotext python3 cupsdisable; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || { echo "SKIP: $tool is missing"; exit 77; }
done
server="${QV_BINARY_DIR:?}/quorvane-server"
export QT_QPA_PLATFORM=offscreen
T=$(mktemp -d)
pid=
step="setting up"
ended() {
  local status=$?
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  if [ $status -ne 0 ]; then
    echo "ended with status $status while $step; the server's log:"
    tail -n 30 "$T/log" 2>/dev/null
  fi
  cups_stop
  rm -rf "$T"
  exit $status
}
trap ended EXIT
trap 'exit 143' INT TERM HUP
export XDG_RUNTIME_DIR="$T/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$T/labels" "$T/tmp"
export TMPDIR="$T/tmp"
failures=0
service_files "$T"

cups_start "$T" || exit 1
cups_add_queue office "$T/office.out" 2>/dev/null || { echo "FAIL: cannot add a queue"; exit 1; }
cupsdisable=$(command -v cupsdisable || echo /usr/sbin/cupsdisable)
cupsenable=$(command -v cupsenable || echo /usr/sbin/cupsenable)

# Each label has many texts, so that drawing 2,000 takes long enough to be
# cut off; only the first carries the number counted on paper. The jobs:
# 2,000 labels of distinct numbers to the printer, and the same to a PDF.
python3 - "$T/labels/goods.lbl" "$T/big.json" "$T/bigpdf.json" <<'PY'
import json, sys
records = [{"SKU": "%05d" % i} for i in range(2000)]
json.dump({"label": "goods.lbl", "printer": "office", "records": records}, open(sys.argv[2], "w"))
json.dump({"label": "goods.lbl", "records": records}, open(sys.argv[3], "w"))
items = 40
label = "[FORMAT]\nWIDTH=3\nHEIGHT=1\nTOPMARGIN=0\nLEFTMARGIN=0\nGAPHEIGHT=0\nGAPWIDTH=0\nMETRIC=0\n"
label += "CONTROLS=%d\n" % items
for n in range(1, items + 1):
    label += f"""
[CNT_{n}]
TYPE=TEXT
TOP={0.02 * n:.2f}
LEFT=0.1
WIDTH=2.8
HEIGHT=0.3
AUTOSIZE=0
TRANSPARENT=1
ROTATE=0
HALIGN=0
VALIGN=3
FONT_NAME=DejaVu Sans
FONT_SIZE=8
ADVANCED=1
ADV_COUNT=2
ADVTYPE_1=TEXT
ADVTXT_1={"N" if n == 1 else "M"}
ADVTYPE_2=FIELD
ADVNUM_2=1
ADVNAME_2=SKU
"""
open(sys.argv[1], "wb").write(label.replace("\n", "\r\n").encode("gb18030"))
PY

start_server() {
  "$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" --workers 1 \
    2>>"$T/log" &
  pid=$!
  local until=$((SECONDS + 60))
  while [ $SECONDS -lt $until ] && kill -0 "$pid" 2>/dev/null; do
    curl -sf -m 5 "$base/health" >/dev/null 2>&1 && return
    sleep 0.05
  done
  fail "no health"
  exit 1
}
crash() {
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  pid=
}
# wait_printing ID: true once the job is seen being drawn.
wait_printing() {
  local until=$((SECONDS + 60))
  while [ $SECONDS -lt $until ]; do
    get "$1"
    case "$(field state)" in printing) return 0 ;; queued) ;; *) return 1 ;; esac
    sleep 0.01
  done
  return 1
}
post() {
  curl -s -o "$T/out" -H "$auth" -H 'Content-Type: application/json' --data-binary "@$1" "$base/jobs"
  field id
}
queued() { lpstat -W all -o office 2>/dev/null | wc -l; }

# The printer job, killed while it is drawn.
step="starting the server"
start_server
step="posting the big job"
id=$(post "$T/big.json")
[ -n "$id" ] || { fail "the big job was refused: $(cat "$T/out")"; exit 1; }
# Killed at the first sight of it printing: the drawing takes about a second.
step="waiting for the big job to print"
wait_printing "$id" || fail "the big job was not seen printing: $(cat "$T/out")"
crash
case "$(queued)" in
  0) ;;
  1) echo "note: the scheduler took the big job before the kill; the restart must not send it again" ;;
  *) fail "the scheduler got $(queued) jobs: $(lpstat -W all -o office)" ;;
esac
step="restarting after the big job's kill"
start_server
wait_job "$id" 120
[ "$(field state)" = done ] || fail "the big job after the restart: $(cat "$T/out")"
[ "$(field labels_printed)" = 2000 ] || fail "the big job printed $(field labels_printed) labels"
step="waiting for the scheduler to print the big job"
until=$((SECONDS + 120))
while [ $SECONDS -lt $until ] && [ -n "$(lpstat -o office 2>/dev/null)" ]; do
  sleep 0.1
done
[ "$(queued)" = 1 ] || fail "the scheduler got $(queued) jobs for one: $(lpstat -W all -o office)"
pdftotext "$T/office.out" "$T/office.txt" 2>/dev/null || fail "the printed output is not a document"
python3 - "$T/office.txt" <<'PY' || fail "the labels printed are not 2,000 distinct ones"
import re, sys
found = re.findall(r"N(\d{5})", open(sys.argv[1], encoding="utf-8").read())
print("labels on paper:", len(found), "distinct:", len(set(found)))
sys.exit(0 if len(found) == 2000 and set(found) == {"%05d" % i for i in range(2000)} else 1)
PY

# The same labels into a PDF, killed while drawn: drawn again, whole, and the
# piece the kill left is gone.
step="the PDF job"
id=$(post "$T/bigpdf.json")
wait_printing "$id" || fail "the PDF job was not seen printing: $(cat "$T/out")"
sleep 0.3
crash
start_server
wait_job "$id" 120
[ "$(field state)" = done ] || fail "the PDF job after the restart: $(cat "$T/out")"
curl -s -H "$auth" -o "$T/job.pdf" "$base/jobs/$id/pdf"
pdftotext "$T/job.pdf" "$T/job.txt" 2>/dev/null || fail "the job's PDF is not a document"
python3 - "$T/job.txt" <<'PY' || fail "the PDF does not hold the 2,000 labels once each"
import re, sys
found = re.findall(r"N(\d{5})", open(sys.argv[1], encoding="utf-8").read())
sys.exit(0 if sorted(found) == ["%05d" % i for i in range(2000)] else 1)
PY
leftover=$(find "$T/state/pdf" -type f ! -name '*.pdf')
[ -z "$leftover" ] || fail "pieces left in the PDF folder: $leftover"

# A job the scheduler holds, the server killed before it wrote that down
# (the state it leaves: printing, with no printer job stored).
# A second one, cancelled before the kill: the restart withdraws its printer
# job from the scheduler.
step="the jobs the scheduler holds"
"$cupsdisable" office
echo '{"label":"goods.lbl","printer":"office","records":[{"SKU":"77777"}]}' >"$T/small.json"
id=$(post "$T/small.json")
wait_job "$id" 120
spooled=$(field printer_job)
[ "$(field state)" = done ] && [ -n "$spooled" ] || fail "the held job: $(cat "$T/out")"
id2=$(post "$T/small.json")
wait_job "$id2" 120
spooled2=$(field printer_job)
[ "$(field state)" = done ] && [ -n "$spooled2" ] || fail "the second held job: $(cat "$T/out")"
crash
python3 - "$T/state/jobs.db" "$id" "$id2" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for job, cancel in ((sys.argv[2], 0), (sys.argv[3], 1)):
    db.execute("UPDATE jobs SET state = 'printing', printer_job = '', finished = NULL, cancel_requested = ? "
               "WHERE id = ?", (cancel, int(job)))
db.commit()
PY
start_server
wait_job "$id" 120
[ "$(field state)" = done ] || fail "the held job after the restart: $(cat "$T/out")"
[ "$(field printer_job)" = "$spooled" ] || fail "the held job names printer job $(field printer_job), not $spooled"
wait_job "$id2" 120
[ "$(field state)" = cancelled ] || fail "the cancelled held job after the restart: $(cat "$T/out")"
[ "$(queued)" = 3 ] || fail "a held job was sent again: $(lpstat -W all -o office)"
lpstat -o office 2>/dev/null | grep -q "^office-$spooled2 " &&
  fail "the cancelled job's printer job $spooled2 still waits: $(lpstat -o office)"
"$cupsenable" office

kill -TERM "$pid"
wait "$pid" || fail "the server ended with $? on SIGTERM"
pid=
exit $((failures > 0))
