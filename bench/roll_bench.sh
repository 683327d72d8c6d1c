#!/usr/bin/env bash
# Roll printing throughput: a merge of N records in roll mode (2 x 1 in
# labels, a Code 128 of the SKU and a text line each) to a thermal queue on
# CUPS's own ZPL driver, on a private scheduler writing into a temporary
# folder. Times the command (drawing and spooling the document) and the
# whole job until the driver has written the last label.
#   bench/roll_bench.sh [BUILD_DIR] [N ...]     (default: build 1000)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD="${1:-build}"
shift || true
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(1000)
CLI="$BUILD/quorvane-cli"
[ -x "$CLI" ] || { echo "build quorvane-cli first: ninja -C $BUILD quorvane-cli" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
# shellcheck source=../tests/common/cups_private.sh
source "$HERE/../tests/common/cups_private.sh"
if why=$(cups_missing); then echo "$why" >&2; exit 2; fi
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
trap 'cups_stop; rm -rf "$W"' EXIT
trap 'exit 143' INT TERM HUP
mkdir -p "$W/run" "$W/config" && chmod 700 "$W/run"
export XDG_RUNTIME_DIR="$W/run" XDG_CONFIG_HOME="$W/config"
cups_start "$W" || exit 1
cups_add_queue zebra "$W/zebra.out" drv:///sample.drv/zebra.ppd

cat >"$W/roll.lbl" <<'LBL'
[FORMAT]
WIDTH=2
HEIGHT=1
TOPMARGIN=0
LEFTMARGIN=0
GAPHEIGHT=0
GAPWIDTH=0
METRIC=0
ROLL=1
SHOWGRID=0
CONTROLS=2

[CNT_1]
TYPE=BARCODE
BCTYPE=0
AUTOSCALE=1
INTERPRET=1
TOP=0.08
LEFT=0.1
WIDTH=1.8
HEIGHT=0.6
AUTOSIZE=0
ADVANCED=1
ADV_COUNT=1
ADVTYPE_1=FIELD
ADVNUM_1=1

[CNT_2]
TYPE=TEXT
TOP=0.72
LEFT=0.1
WIDTH=1.8
HEIGHT=0.2
AUTOSIZE=0
TRANSPARENT=1
FONT_NAME=DejaVu Sans
FONT_SIZE=8
ADVANCED=1
ADV_COUNT=1
ADVTYPE_1=FIELD
ADVNUM_1=2
LBL

printf '| labels | command wall s | command CPU s | labels/s (command) | whole job s | labels/s (whole job) | ZPL (MB) |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|\n'
for n in "${COUNTS[@]}"; do
  awk -v n="$n" 'BEGIN { print "sku,name"; for (i = 1; i <= n; i++) printf "SKU-%07d,Item %d\n", i, i }' >"$W/data.csv"
  rm -f "$W/zebra.out"
  start=$(date +%s.%N)
  /usr/bin/time -v "$CLI" print "$W/roll.lbl" --data "$W/data.csv" --printer zebra --quiet \
    >/dev/null 2>"$W/time.txt" || { cat "$W/time.txt" >&2; exit 1; }
  cups_wait_idle 3600 || { echo "the job did not finish" >&2; exit 1; }
  end=$(date +%s.%N)
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$W/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$W/time.txt")
  labels=$(grep -c '^~DG' "$W/zebra.out" || true)
  [ "$labels" = "$n" ] || { echo "the driver wrote $labels labels of $n" >&2; exit 1; }
  whole=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
  zpl=$(stat -c %s "$W/zebra.out" | awk '{ printf "%.1f", $1 / 1048576 }')
  rate=$(awk -v n="$n" -v s="$secs" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
  wrate=$(awk -v n="$n" -v s="$whole" 'BEGIN { printf "%.1f", (s > 0 ? n / s : 0) }')
  printf '| %d | %s | %s | %s | %s | %s | %s |\n' "$n" "$secs" "$cpu" "$rate" "$whole" "$wrate" "$zpl"
done
