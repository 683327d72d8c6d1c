#!/usr/bin/env bash
# The print service under load: quorvane-server on a free port with a
# temporary state and labels folder, the label of print_bench.sh (a Letter
# sheet's Code 128 and texts, here on the service's A4 PDF at 600 DPI).
#  1. One-label jobs accepted per second and the accept latency (median, p99)
#     with 1, 8 and 64 concurrent clients: ApacheBench with a kept-alive
#     connection each (Qt HTTP Server 6.4 closes none after an HTTP/1.0
#     answer, which ab's default waits for), REQUESTS POSTs at each level;
#     the queue is let drain between.
#  2. POST to done for one-label jobs: clients that post, then poll the job
#     every 2 ms until it is done; JOBS jobs at each level, median and p99.
#  3. Labels per second: one RECORDS-record job through the server (POST to
#     done) beside `quorvane-cli print` of the same label and records (CSV)
#     to a PDF of the same paper; the better of RUNS rounds each.
#   bench/server_bench.sh [BUILD_DIR] [REQUESTS] [JOBS] [RECORDS] [RUNS]
#   (default: build 2000 200 10000 3)
set -euo pipefail
BUILD="${1:-build}"
REQUESTS="${2:-2000}"
JOBS="${3:-200}"
RECORDS="${4:-10000}"
RUNS="${5:-3}"
SERVER="$BUILD/quorvane-server"
CLI="$BUILD/quorvane-cli"
for b in "$SERVER" "$CLI"; do
  [ -x "$b" ] || { echo "build it first: ninja -C $BUILD quorvane-server quorvane-cli" >&2; exit 2; }
done
command -v ab >/dev/null || { echo "ab is needed (package apache2-utils)" >&2; exit 2; }
for tool in curl python3; do
  command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$W"' EXIT
trap 'exit 143' INT TERM HUP
mkdir -m 700 "$W/run" && mkdir "$W/labels"
export XDG_RUNTIME_DIR="$W/run"

cat >"$W/labels/bench.lbl" <<'LBL'
[FORMAT]
WIDTH=2.5
HEIGHT=1.25
TOPMARGIN=0.5
LEFTMARGIN=0.1875
GAPHEIGHT=0
GAPWIDTH=0.125
METRIC=0
SHOWGRID=0
CONTROLS=3

[CNT_1]
TYPE=BARCODE
BCTYPE=0
AUTOSCALE=1
INTERPRET=1
TOP=0.1
LEFT=0.15
WIDTH=2.2
HEIGHT=0.55
AUTOSIZE=0
ADVANCED=1
ADV_COUNT=1
ADVTYPE_1=FIELD
ADVNUM_1=1

[CNT_2]
TYPE=TEXT
TOP=0.75
LEFT=0.15
WIDTH=2.2
HEIGHT=0.2
AUTOSIZE=0
TRANSPARENT=1
FONT_NAME=DejaVu Sans
FONT_SIZE=9
ADVANCED=1
ADV_COUNT=3
ADVTYPE_1=FIELD
ADVNUM_1=2
ADVTYPE_2=TEXT
ADVTXT_2= 
ADVTYPE_3=FIELD
ADVNUM_3=3

[CNT_3]
TYPE=TEXT
TOP=0.98
LEFT=0.15
WIDTH=2.2
HEIGHT=0.2
AUTOSIZE=0
TRANSPARENT=1
FONT_NAME=DejaVu Sans
FONT_SIZE=8
TEXT=Quorvane stock label
LBL

TOKEN=bench-token-0123456789abcdef
echo "$TOKEN bench" >"$W/tokens"
chmod 600 "$W/tokens"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
base="http://127.0.0.1:$port/v1"
"$SERVER" --listen "127.0.0.1:$port" --state "$W/state" --labels "$W/labels" --tokens "$W/tokens" \
  2>"$W/server.log" &
pid=$!
for _ in $(seq 100); do
  curl -sf "$base/health" >/dev/null 2>&1 && break
  sleep 0.1
done
curl -sf "$base/health" >/dev/null || { cat "$W/server.log" >&2; exit 1; }

# The HTTP thread (every request is answered on it): nanoseconds on a core
# and waiting for one. The whole process with its print workers: CPU ticks.
sched() { cat "/proc/$pid/task/$pid/schedstat"; }
ticks_all() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
HZ=$(getconf CLK_TCK)

# Blocks until no job is queued or printing.
drain() {
  local s
  for s in queued printing; do
    until curl -sf -H "Authorization: Bearer $TOKEN" "$base/jobs?state=$s&limit=1" | grep -q '"jobs":\[\]'; do
      sleep 0.2
    done
  done
}

printf '%s' '{"label":"bench.lbl","records":[["SKU-0000001","Item 1","10 ml"]]}' >"$W/one.json"

echo "$(nproc) cores, load average (1 min) $(cut -d' ' -f1 /proc/loadavg) before"
echo
echo "Accepting one-label jobs (ab, $REQUESTS POSTs each):"
echo
printf '| clients | jobs/s | median ms | p99 ms | max ms | not 201 | HTTP thread CPU µs/job | HTTP thread waiting for a core µs/job | server CPU µs/job |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n'
for c in 1 8 64; do
  drain
  read -r run0 wait0 _ <<<"$(sched)"
  a0=$(ticks_all)
  ab -k -q -n "$REQUESTS" -c "$c" -p "$W/one.json" -T application/json -H "Authorization: Bearer $TOKEN" \
    -e "$W/pct.csv" "$base/jobs" >"$W/ab.txt" 2>&1 || { cat "$W/ab.txt" >&2; exit 1; }
  rate=$(awk '/^Requests per second/ { printf "%.0f", $4 }' "$W/ab.txt")
  bad=$(awk '/^Non-2xx responses/ { s += $3 } END { print s + 0 }' "$W/ab.txt")
  med=$(awk -F, '$1 == "50" { printf "%.1f", $2 }' "$W/pct.csv")
  p99=$(awk -F, '$1 == "99" { printf "%.1f", $2 }' "$W/pct.csv")
  max=$(awk '/100%/ { print $2 }' "$W/ab.txt")
  read -r run1 wait1 _ <<<"$(sched)"
  drain
  a1=$(ticks_all)
  http=$(awk -v t="$((run1 - run0))" -v n="$REQUESTS" 'BEGIN { printf "%.0f", t / n / 1000 }')
  waited=$(awk -v t="$((wait1 - wait0))" -v n="$REQUESTS" 'BEGIN { printf "%.0f", t / n / 1000 }')
  all=$(awk -v t="$((a1 - a0))" -v hz="$HZ" -v n="$REQUESTS" 'BEGIN { printf "%.0f", t / hz / n * 1e6 }')
  printf '| %d | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$c" "$rate" "$med" "$p99" "$max" "$bad" "$http" "$waited" "$all"
done
drain

echo
echo "POST to done, one-label jobs ($JOBS each, polled every 2 ms):"
echo
printf '| clients | median ms | p99 ms | jobs/s |\n|---:|---:|---:|---:|\n'
for c in 1 8 64; do
  drain
  python3 - "$port" "$TOKEN" "$W/one.json" "$c" "$JOBS" <<'PY'
import http.client, json, sys, threading, time
port, token, body_file, clients, jobs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
body = open(body_file, "rb").read()
head = {"Authorization": "Bearer " + token, "Content-Type": "application/json"}
times, lock = [], threading.Lock()
todo = list(range(jobs))

def client():
    conn = http.client.HTTPConnection("127.0.0.1", int(port))
    while True:
        with lock:
            if not todo:
                return
            todo.pop()
        t0 = time.monotonic()
        conn.request("POST", "/v1/jobs", body, head)
        r = conn.getresponse()
        answer = json.loads(r.read())
        if r.status != 201:
            sys.exit("POST answered %d: %s" % (r.status, answer))
        while True:
            conn.request("GET", "/v1/jobs/%d" % answer["id"], headers=head)
            job = json.loads(conn.getresponse().read())
            if job["state"] == "done":
                break
            if job["state"] != "queued" and job["state"] != "printing":
                sys.exit("job %d: %s" % (answer["id"], job))
            time.sleep(0.002)
        with lock:
            times.append((time.monotonic() - t0) * 1000)

start = time.monotonic()
threads = [threading.Thread(target=client) for _ in range(clients)]
for t in threads:
    t.start()
for t in threads:
    t.join()
wall = time.monotonic() - start
if len(times) != jobs:
    sys.exit("only %d of %d jobs done" % (len(times), jobs))
times.sort()
pick = lambda q: times[min(len(times) - 1, int(q * len(times)))]
print("| %d | %.1f | %.1f | %.0f |" % (clients, pick(0.5), pick(0.99), jobs / wall))
PY
done

# The big job: the same records as a JSON body and as a CSV file.
python3 - "$RECORDS" "$W/big.json" "$W/big.csv" <<'PY'
import json, sys
n = int(sys.argv[1])
rows = [["SKU-%07d" % i, "Item %d" % i, "%d ml" % (i % 50 * 10)] for i in range(1, n + 1)]
json.dump({"label": "bench.lbl", "records": rows}, open(sys.argv[2], "w"))
with open(sys.argv[3], "w") as f:
    f.write("sku,name,size\n")
    for r in rows:
        f.write(",".join(r) + "\n")
PY

now() { date +%s.%N; }
server_job() {
  local t0 id state c0
  t0=$(now) c0=$(ticks_all)
  id=$(curl -sf -H "Authorization: Bearer $TOKEN" -H 'Content-Type: application/json' --data-binary "@$W/big.json" \
    "$base/jobs" | grep -o '"id":[0-9]*' | cut -d: -f2)
  # A cheap poll: a python per poll would take CPU from the job it waits for.
  while :; do
    state=$(curl -sf -H "Authorization: Bearer $TOKEN" "$base/jobs/$id" | grep -o '"state":"[a-z]*"' | cut -d'"' -f4)
    [ "$state" = done ] && break
    [ "$state" = queued ] || [ "$state" = printing ] || { echo "job $id: $state" >&2; exit 1; }
    sleep 0.05
  done
  awk -v a="$t0" -v b="$(now)" -v c="$(( $(ticks_all) - c0 ))" -v hz="$HZ" 'BEGIN { printf "%.2f %.2f", b - a, c / hz }'
}
cli_job() {
  /usr/bin/time -f '%e %U %S' -o "$W/time.txt" "$CLI" print "$W/labels/bench.lbl" --data "$W/big.csv" --output "$W/cli.pdf" \
    --paper A4 --dpi 600 --quiet
  tail -1 "$W/time.txt" | awk '{ printf "%.2f %.2f", $1, $2 + $3 }'
}
best_server=999999 best_cli=999999 cpu_server=999999 cpu_cli=999999
for _ in $(seq "$RUNS"); do
  drain
  read -r s sc <<<"$(server_job)"
  read -r c cc <<<"$(cli_job)"
  best_server=$(awk -v a="$best_server" -v b="$s" 'BEGIN { print (b < a ? b : a) }')
  best_cli=$(awk -v a="$best_cli" -v b="$c" 'BEGIN { print (b < a ? b : a) }')
  cpu_server=$(awk -v a="$cpu_server" -v b="$sc" 'BEGIN { print (b < a ? b : a) }')
  cpu_cli=$(awk -v a="$cpu_cli" -v b="$cc" 'BEGIN { print (b < a ? b : a) }')
done
echo
echo "One $RECORDS-record job to a PDF (A4, 600 DPI), best of $RUNS:"
echo
printf '| program | wall s | CPU s | labels/s (wall) | labels/s (CPU) |\n|---|---:|---:|---:|---:|\n'
awk -v n="$RECORDS" -v s="$best_server" -v c="$best_cli" -v sc="$cpu_server" -v cc="$cpu_cli" 'BEGIN {
  printf "| quorvane-server (POST to done) | %.2f | %.2f | %.0f | %.0f |\n", s, sc, n / s, n / sc
  printf "| quorvane-cli print | %.2f | %.2f | %.0f | %.0f |\n", c, cc, n / c, n / cc
  printf "\nserver / CLI: %.0f %% (wall), %.0f %% (CPU)\n", 100 * c / s, 100 * cc / sc }'
echo
echo "load average (1 min) $(cut -d' ' -f1 /proc/loadavg) after"
