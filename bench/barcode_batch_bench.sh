#!/usr/bin/env bash
# Batch export rate of `quorvane-cli barcode --batch` beside zint's own
# `zint --batch`: the same N texts (default 10,000), one PNG file each, as
# Code 128 (human-readable line, 2 pixels a module, 100 pixels high) and as
# QR Code (level M, 2 pixels a module, quiet zone included), every run into
# an empty folder; the best of RUNS runs (default 3) is kept.
#   bench/barcode_batch_bench.sh [BUILD_DIR] [N] [RUNS]     (or: ninja bench_barcode_batch)
set -euo pipefail
BUILD="${1:-build}"
N="${2:-10000}"
RUNS="${3:-3}"
CLI="$BUILD/quorvane-cli"
[ -x "$CLI" ] || { echo "build quorvane-cli first: ninja -C $BUILD quorvane-cli" >&2; exit 2; }
command -v zint >/dev/null || { echo "zint is needed (package zint)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export XDG_RUNTIME_DIR="$W"
chmod 700 "$W"

# Texts of 17 to 19 characters, as on stock labels: QV-000001-LOT7919 ...
seq 1 "$N" | awk '{ printf "QV-%06d-LOT%d\n", $1, ($1 * 7919) % 100000 }' >"$W/texts.txt"

# best_of NAME COMMAND...: runs the command RUNS times, each into an empty
# $W/out, and prints "wall cpu" of the fastest run (seconds).
best_of() {
    local name=$1 best="" line
    shift
    for _ in $(seq 1 "$RUNS"); do
        rm -rf "$W/out"
        mkdir "$W/out"
        sync
        /usr/bin/time -f '%e %U %S' -o "$W/time" "$@" >/dev/null 2>"$W/stderr" ||
            { echo "$name failed:" >&2; cat "$W/stderr" >&2; exit 1; }
        local made
        made=$(find "$W/out" -name '*.png' | wc -l)
        [ "$made" -eq "$N" ] || { echo "$name wrote $made files, not $N" >&2; exit 1; }
        line=$(awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' "$W/time")
        if [ -z "$best" ] || awk -v a="${line% *}" -v b="${best% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    if command -v zbarimg >/dev/null; then
        local first
        first=$(find "$W/out" -name '*1.png' | sort | head -1)
        convert "$first" -bordercolor white -border 10 "$W/check.png" 2>/dev/null || cp "$first" "$W/check.png"
        [ "$(zbarimg -q --raw "$W/check.png" 2>/dev/null)" = "$(head -1 "$W/texts.txt")" ] ||
            { echo "$name: $first does not read back as the first text" >&2; exit 1; }
    fi
    echo "$best"
}

row() {
    local what=$1 tool=$2 wall cpu
    read -r wall cpu <<<"$3"
    awk -v w="$what" -v t="$tool" -v n="$N" -v wall="$wall" -v cpu="$cpu" 'BEGIN {
        printf "| %s | %s | %d | %.2f | %.2f | %d | %d |\n", w, t, n, wall, cpu, n / wall, n / cpu }'
}

echo "| symbology | program | files | wall s | CPU s | files/s (wall) | files/s (CPU) |"
echo "|---|---|---:|---:|---:|---:|---:|"
row "Code 128" "quorvane-cli" "$(best_of quorvane-code128 "$CLI" barcode --type code128 --module 2 --height 100 \
    --batch "$W/texts.txt" --output "$W/out/%05d.png")"
row "Code 128" "zint $(zint --version | awk '{ print $3 }')" "$(best_of zint-code128 zint --barcode=CODE128 \
    --quietzones --batch --input="$W/texts.txt" --filetype=PNG --output="$W/out/~~~~~.png")"
row "QR Code" "quorvane-cli" "$(best_of quorvane-qr "$CLI" barcode --type qr --ecc M --module 2 \
    --batch "$W/texts.txt" --output "$W/out/%05d.png")"
row "QR Code" "zint $(zint --version | awk '{ print $3 }')" "$(best_of zint-qr zint --barcode=QRCODE --secure=2 \
    --quietzones --batch --input="$W/texts.txt" --filetype=PNG --output="$W/out/~~~~~.png")"
