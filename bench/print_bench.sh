#!/usr/bin/env bash
# Print throughput and peak memory of quorvane-cli: a Letter sheet of
# 2.5 x 1.25 in labels (3 x 8), each with a Code 128 of the SKU column, a text
# of two merged columns and a static text, N CSV records to a PDF at 600 DPI.
#   bench/print_bench.sh [BUILD_DIR] [N ...]     (default: build 1000 10000 100000)
set -euo pipefail
BUILD="${1:-build}"
shift || true
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(1000 10000 100000)
CLI="$BUILD/quorvane-cli"
[ -x "$CLI" ] || { echo "build quorvane-cli first: ninja -C $BUILD quorvane-cli" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export XDG_RUNTIME_DIR="$W"

cat >"$W/bench.lbl" <<'LBL'
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

printf '| records | pages | wall s | CPU s | labels/s (wall) | labels/s (CPU) | peak RSS (MB) | PDF (MB) |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---:|\n'
for n in "${COUNTS[@]}"; do
  awk -v n="$n" 'BEGIN { print "sku,name,size"; for (i = 1; i <= n; i++) printf "SKU-%07d,Item %d,%d ml\n", i, i, (i % 50) * 10 }' >"$W/data.csv"
  /usr/bin/time -v "$CLI" print "$W/bench.lbl" --data "$W/data.csv" --output "$W/out.pdf" --paper Letter \
    --dpi 600 --quiet 2>"$W/time.txt" || { cat "$W/time.txt" >&2; exit 1; }
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$W/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$W/time.txt")
  rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$W/time.txt")
  pages=$(( (n + 23) / 24 ))
  pdf=$(stat -c %s "$W/out.pdf" | awk '{ printf "%.1f", $1 / 1048576 }')
  rate=$(awk -v n="$n" -v s="$secs" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
  crate=$(awk -v n="$n" -v s="$cpu" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
  printf '| %d | %d | %s | %s | %s | %s | %s | %s |\n' "$n" "$pages" "$secs" "$cpu" "$rate" "$crate" "$rss" "$pdf"
done
