#!/usr/bin/env bash
# Batch export rate of `quorvane-cli barcode --batch` beside zint's own
# `zint --batch`: the same N texts (default 2,000), one PNG file each, as
# Code 128 (human-readable line, 2 pixels a module, 100 pixels high), as
# GS1 DataBar Expanded (the same texts as batch numbers after a GTIN, 2 pixels
# a module, 100 pixels high) and as QR Code (level M, 2 pixels a module,
# quiet zone included), every run into
# a new folder; the best of RUNS rounds (default 3) is kept.
#   bench/barcode_batch_bench.sh [BUILD_DIR] [N] [RUNS]     (or: ninja bench_barcode_batch)
set -euo pipefail
BUILD="${1:-build}"
N="${2:-2000}"
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
seq 1 "$N" | awk '{ printf "(01)09501101530003(10)QV%06dLOT%d\n", $1, ($1 * 7919) % 100000 }' >"$W/gs1.txt"

ZINT="zint $(zint --version | awk '{ print $3 }')"
# The four runs: label, program, command. Rounds take them in turn, so a
# change in the machine's load falls on all alike.
labels=("Code 128" "Code 128" "QR Code" "QR Code" "DataBar Expanded" "DataBar Expanded")
programs=(quorvane-cli "$ZINT" quorvane-cli "$ZINT" quorvane-cli "$ZINT")
run() {
    case $1 in
    0) "$CLI" barcode --type code128 --module 2 --height 100 --batch "$W/texts.txt" --output "$OUT/%05d.png" ;;
    1) zint --barcode=CODE128 --quietzones --batch --input="$W/texts.txt" --filetype=PNG --output="$OUT/~~~~~.png" ;;
    2) "$CLI" barcode --type qr --ecc M --module 2 --batch "$W/texts.txt" --output "$OUT/%05d.png" ;;
    3) zint --barcode=QRCODE --secure=2 --quietzones --batch --input="$W/texts.txt" --filetype=PNG \
        --output="$OUT/~~~~~.png" ;;
    4) "$CLI" barcode --type dbar_exp --module 2 --height 100 --batch "$W/gs1.txt" --output "$OUT/%05d.png" ;;
    5) zint --barcode=DBAR_EXP --gs1parens --height=50 --batch --input="$W/gs1.txt" --filetype=PNG \
        --output="$OUT/~~~~~.png" ;;
    esac
}

export CLI W OUT
export -f run
best=("" "" "" "" "" "")
load_before=$(cut -d' ' -f1 /proc/loadavg)
for round in $(seq 1 "$RUNS"); do
    for i in 0 1 2 3 4 5; do
        # A new folder each run, all removed at the end: files the bench has
        # just deleted would make the file system's search for a free inode
        # most of either program's time.
        OUT="$W/out-$round-$i"
        mkdir "$OUT"
        sync
        /usr/bin/time -f '%e %U %S' -o "$W/time" bash -c 'run "$1"' _ "$i" >/dev/null 2>"$W/stderr" ||
            { echo "${programs[$i]} ${labels[$i]} failed:" >&2; cat "$W/stderr" >&2; exit 1; }
        made=$(find "$OUT" -name '[0-9]*.png' | wc -l)
        [ "$made" -eq "$N" ] || { echo "${programs[$i]} ${labels[$i]}: $made files, not $N" >&2; exit 1; }
        if command -v zbarimg >/dev/null && [ "$i" -lt 4 ]; then
            first="$OUT/00001.png"
            convert "$first" -bordercolor white -border 10 "$W/check.png" 2>/dev/null || cp "$first" "$W/check.png"
            [ "$(zbarimg -q --raw "$W/check.png" 2>/dev/null)" = "$(head -1 "$W/texts.txt")" ] ||
                { echo "${programs[$i]} ${labels[$i]}: $first does not read back as the first text" >&2; exit 1; }
        fi
        line=$(awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' "$W/time")
        if [ -z "${best[$i]}" ] || awk -v a="${line% *}" -v b="${best[$i]% *}" 'BEGIN { exit !(a < b) }'; then
            best[$i]=$line
        fi
    done
done

echo "load average (1 min) $load_before before, $(cut -d' ' -f1 /proc/loadavg) after; $(nproc) cores"
echo
echo "| symbology | program | files | wall s | CPU s | files/s (wall) | files/s (CPU) |"
echo "|---|---|---:|---:|---:|---:|---:|"
for i in 0 1 2 3 4 5; do
    read -r wall cpu <<<"${best[$i]}"
    awk -v w="${labels[$i]}" -v t="${programs[$i]}" -v n="$N" -v wall="$wall" -v cpu="$cpu" 'BEGIN {
        printf "| %s | %s | %d | %.2f | %.2f | %d | %d |\n", w, t, n, wall, cpu, n / wall, n / cpu }'
done
