#!/usr/bin/env bash
# Print throughput and peak memory of quorvane-cli with a PostgreSQL query as
# the data source, beside the same records from a CSV file: the label of
# print_bench.sh (24 a Letter page), N rows to a PDF at 600 DPI. The server is
# a private one started in a temporary folder (tests/common/pg_private.sh).
#   bench/sql_bench.sh [BUILD_DIR] [N ...]     (default: build 100000)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD="${1:-build}"
shift || true
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(100000)
CLI="$BUILD/quorvane-cli"
[ -x "$CLI" ] || { echo "build quorvane-cli first: ninja -C $BUILD quorvane-cli" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
# shellcheck source=../tests/common/pg_private.sh
source "$HERE/../tests/common/pg_private.sh"
pg_private_bin >/dev/null || { echo "a PostgreSQL server is needed (package postgresql)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
trap 'pg_private_stop; rm -rf "$W"' EXIT
export XDG_RUNTIME_DIR="$W"

sed -n "/^cat >\"\$W\/bench.lbl\" <<'LBL'\$/,/^LBL\$/p" "$HERE/print_bench.sh" | sed '1d;$d' >"$W/bench.lbl"
pg_private_start "$W" >/dev/null
export PGOPTIONS='-c client_min_messages=warning'
pg_psql postgres -c "create database bench"

run() { # n source args...
  local n="$1" source="$2"; shift 2
  /usr/bin/time -v "$CLI" print "$W/bench.lbl" "$@" --output "$W/out.pdf" --paper Letter --dpi 600 --quiet \
    2>"$W/time.txt" || { cat "$W/time.txt" >&2; exit 1; }
  local secs cpu rss
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$W/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$W/time.txt")
  rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$W/time.txt")
  printf '| %s | %d | %s | %s | %.0f | %.0f | %s |\n' "$source" "$n" "$secs" "$cpu" \
    "$(awk -v n="$n" -v s="$secs" 'BEGIN { print (s > 0 ? n / s : 0) }')" \
    "$(awk -v n="$n" -v s="$cpu" 'BEGIN { print (s > 0 ? n / s : 0) }')" "$rss"
}

printf '| source | records | wall s | CPU s (client) | labels/s (wall) | labels/s (CPU) | peak RSS (MB) |\n'
printf '|---|---:|---:|---:|---:|---:|---:|\n'
for n in "${COUNTS[@]}"; do
  awk -v n="$n" 'BEGIN { print "sku,name,size"; for (i = 1; i <= n; i++) printf "SKU-%07d,Item %d,%d ml\n", i, i, (i % 50) * 10 }' >"$W/data.csv"
  pg_psql bench -c "drop table if exists stock; create table stock as
    select i, format('SKU-%s', lpad(i::text, 7, '0')) as sku, 'Item ' || i as name, ((i % 50) * 10) || ' ml' as size
    from generate_series(1, $n) i;" -c "vacuum analyze stock"
  run "$n" CSV --data "$W/data.csv"
  run "$n" PostgreSQL --sql "postgresql://$PG_USER@/bench?host=$PG_SOCKET" --query "select sku, name, size from stock order by i"
done
