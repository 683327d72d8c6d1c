#!/bin/bash
# Watched folders: a data file and a job file dropped in become jobs and
# move to done/; a file the label cannot print moves to failed/ with the
# reason beside it; a file written under a temporary name is taken once.
set -u
# shellcheck source=../common/service_files.sh
source "$(cd "$(dirname "$0")" && pwd)/../common/service_files.sh"
service_setup curl pdftotext python3
mkdir "$T/in"

# Files there before the server starts are taken too.
printf 'SKU,名称\nA1,甲\nB2,乙\nC3,丙\n' >"$T/in/goods.csv"
printf 'SKU,颜色\nA1,红\n' >"$T/in/bad.csv"
echo '{"records":[{"SKU":"J1","名称":"丁"}],"title":"from json"}' >"$T/in/job.json"
"$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" --workers 1 \
  --watch "$T/in=goods.lbl" 2>"$T/log" &
pid=$!
# The slow writer: a part now, the rest later, then the rename.
printf 'SKU,名称\nS1,慢\n' >"$T/in/slow.csv.part"

# wait_for FILE...: up to 8 s for every file to exist.
wait_for() {
  for _ in $(seq 80); do
    local all=1 f
    for f in "$@"; do [ -e "$f" ] || all=0; done
    [ $all = 1 ] && return 0
    sleep 0.1
  done
  return 1
}
sleep 1
printf 'S2,慢\n' >>"$T/in/slow.csv.part"
mv "$T/in/slow.csv.part" "$T/in/slow.csv"
wait_for "$T/in/done/goods.csv" "$T/in/done/job.json" "$T/in/failed/bad.csv.error" "$T/in/done/slow.csv" ||
  fail "not every file was moved: $(cd "$T/in" && find . | sort | tr '\n' ' ')"
[ -e "$T/in/failed/bad.csv" ] || fail "bad.csv is not in failed/"
grep -q '名称' "$T/in/failed/bad.csv.error" 2>/dev/null || fail "the error names no column: $(cat "$T/in/failed/bad.csv.error" 2>/dev/null)"
grep -q '"field"' "$T/in/failed/bad.csv.error" 2>/dev/null || fail "the error names no field"
left=$(cd "$T/in" && find . -maxdepth 1 -type f | wc -l)
[ "$left" = 0 ] || fail "files left in the folder: $(ls -a "$T/in")"

# jobs TITLE...: waits for the jobs of these titles to end; a line each:
# "TITLE STATE LABELS ID", the state "countN" unless exactly one has it.
# One Python for all (it starts slowly on a busy machine).
jobs() {
  python3 - "$base/jobs" "$auth" "$@" <<'PY'
import json, sys, time, urllib.request
url, auth, titles = sys.argv[1], sys.argv[2].split(": ", 1), sys.argv[3:]
for _ in range(100):
    try:
        req = urllib.request.Request(url, headers={auth[0]: auth[1]})
        listed = json.load(urllib.request.urlopen(req))["jobs"]
    except OSError:
        listed = []
    lines = []
    for t in titles:
        j = [j for j in listed if j["title"] == t]
        lines.append("%s %s %s %s" % (t.replace(" ", "_"), j[0]["state"] if len(j) == 1 else "count%d" % len(j),
                                      j[0]["labels_total"] if j else "-", j[0]["id"] if j else "-"))
    if all(l.split()[1] in ("done", "failed", "cancelled") for l in lines):
        break
    time.sleep(0.1)
print("\n".join(lines))
PY
}
jobs goods.csv "from json" slow.csv >"$T/jobs"
grep -qx 'goods.csv done 3 [0-9]*' "$T/jobs" || fail "the CSV job: $(cat "$T/jobs")"
grep -qx 'from_json done 1 [0-9]*' "$T/jobs" || fail "the JSON job: $(cat "$T/jobs")"
grep -qx 'slow.csv done 2 [0-9]*' "$T/jobs" || fail "the slow file's job: $(cat "$T/jobs")"
id=$(awk '$1 == "goods.csv" { print $4 }' "$T/jobs")
curl -s -H "$auth" -o "$T/pdf" "$base/jobs/$id/pdf"
text=$(pdftotext "$T/pdf" - 2>/dev/null)
for line in A1-甲 B2-乙 C3-丙; do
  [[ "$text" == *"$line"* ]] || fail "the PDF lacks $line: $text"
done

# A restart finds the same file (a crash before the move) and queues nothing twice.
kill -TERM "$pid"
wait "$pid" || fail "the server ended with $? on SIGTERM"
pid=
cp -p "$T/in/done/goods.csv" "$T/in/goods.csv"
"$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" --workers 1 \
  --watch "$T/in=goods.lbl" 2>>"$T/log" &
pid=$!
wait_for "$T/in/done/goods-2.csv" || fail "the file found again was not moved: $(ls "$T/in")"
jobs goods.csv >"$T/jobs"
grep -qx "goods.csv done 3 $id" "$T/jobs" || fail "the file found again queued a second job: $(cat "$T/jobs")"

kill -TERM "$pid"
wait "$pid" || fail "the server ended with $? on SIGTERM"
pid=
[ $failures = 0 ] || cat "$T/log"
exit $((failures > 0))
