#!/usr/bin/env bash
# One enormous field must not exhaust the machine: a label fed a 10 MB field
# prints (and its other records print right), the designer's drawing of a
# label holding 10 MB of text stays small, and a record beyond 16 MiB is
# refused with a message naming the file and the line. Peak memory of every
# run stays under 100 MB.
set -uo pipefail
: "${QV_BINARY_DIR:?}"
cli="$QV_BINARY_DIR/quorvane-cli"
[ -x "$cli" ] || { echo "FAIL: $cli not built"; exit 1; }
[ -x /usr/bin/time ] || { echo "SKIP: /usr/bin/time is not installed"; exit 77; }
export QT_QPA_PLATFORM=offscreen

T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
mkdir -p "$T/run" && chmod 700 "$T/run"
export XDG_RUNTIME_DIR="$T/run"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
limit_kb=$((100 * 1024))
vlimit_kb=4194304
# AddressSanitizer reserves terabytes of address space and doubles the
# memory a run takes: there only what the runs do is checked, not their size.
if grep -q '^QV_SANITIZE:BOOL=ON' "$QV_BINARY_DIR/CMakeCache.txt" 2>/dev/null; then
  limit_kb=999999999
  vlimit_kb=unlimited
fi

# A text, a memo and two barcodes, all showing column 1; the memo and
# Code 128 also column 2.
item() { # n type extra-lines
  printf '[CNT_%s]\r\nTYPE=%s\r\nTOP=%s\r\nLEFT=0.1\r\nWIDTH=3.8\r\nHEIGHT=0.5\r\nAUTOSIZE=0\r\nTRANSPARENT=1\r\nROTATE=0\r\n' \
    "$1" "$2" "$(echo "0.1 + ($1 - 1) * 0.6" | bc)"
  printf 'FONT_NAME=DejaVu Sans\r\nFONT_SIZE=8\r\n%b' "$3"
}
fields='ADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=FIELD\r\nADVNUM_1=2\r\nADVTYPE_2=FIELD\r\nADVNUM_2=1\r\n'
{
  printf '[FORMAT]\r\nWIDTH=4\r\nHEIGHT=2.6\r\nTOPMARGIN=0\r\nLEFTMARGIN=0\r\nMETRIC=0\r\nCONTROLS=4\r\n'
  item 1 TEXT "$fields"
  item 2 MEMO "$fields"
  item 3 BARCODE "BCTYPE=0\r\nINTERPRET=1\r\nAUTOSCALE=1\r\n$fields"
  item 4 BARCODE "BCTYPE=1\r\nINTERPRET=1\r\nAUTOSCALE=1\r\n$fields"
} >"$T/long.lbl"

# Runs the CLI under /usr/bin/time; sets rc, msg and kb (peak resident).
measure() {
  # A runaway run fails at 4 GB instead of taking the machine down.
  (ulimit -v $vlimit_kb && exec /usr/bin/time -v -o "$T/time" "$cli" "$@") >/dev/null 2>"$T/err"
  rc=$?
  msg=$(head -c 300 "$T/err")
  kb=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$T/time")
}

head -c 10000000 /dev/zero | tr '\0' 'A' >"$T/10mb"

# 1. A 10 MB field in the first record, then a short one: both labels print,
#    the second one right.
{ printf 'big,code\r\n'; cat "$T/10mb"; printf ',X\r\nQV-2,\r\n'; } >"$T/big.csv"
measure print "$T/long.lbl" --data "$T/big.csv" --output "$T/long.pdf" --paper 102x67mm
[ "$rc" = 0 ] || fail "10 MB field: status $rc: $msg"
[ "${kb:-999999999}" -lt "$limit_kb" ] || fail "10 MB field: peak memory ${kb} KB"
pages=$(pdfinfo "$T/long.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
[ "$pages" = 2 ] || fail "10 MB field: $pages pages, expected 2"
# Only what shows is drawn: the bars beyond the items' boxes are not in the file.
size=$(stat -c %s "$T/long.pdf" 2>/dev/null || echo 0)
[ "$size" -lt 500000 ] || fail "10 MB field: the PDF holds $size bytes"
if [ -f "$T/long.pdf" ] && command -v pdftoppm >/dev/null && command -v zbarimg >/dev/null; then
  pdftoppm -r 300 -f 2 -l 2 -gray "$T/long.pdf" "$T/p"
  got=$(zbarimg -q --raw "$T"/p*.pgm 2>/dev/null | sort | tr '\n' ' ')
  [ "$got" = "QV-2 QV-2 " ] || fail "second label reads '$got'"
fi

# 2. The designer's drawing of each kind of item holding 10 MB of plain text.
for n in 1 2 3 4; do
  {
    printf '[FORMAT]\r\nWIDTH=4\r\nHEIGHT=2.6\r\nCONTROLS=1\r\n'
    sed -n "/^\[CNT_$n\]/,/^ADVANCED/p" "$T/long.lbl" | sed -e "s/^\[CNT_$n\]/[CNT_1]/" -e 's/^ADVANCED=1/ADVANCED=0/'
    printf 'TEXT='; cat "$T/10mb"; printf '\r\n'
  } >"$T/plain$n.lbl"
  measure render "$T/plain$n.lbl" --output "$T/plain.png"
  [ "$rc" = 0 ] || fail "render item $n: status $rc: $msg"
  [ "${kb:-999999999}" -lt "$limit_kb" ] || fail "render item $n: peak memory ${kb} KB"
done

# 3. A record of 150 MB is refused, naming the file and the line.
{
  printf 'big,code\r\nQV-1,\r\n'
  head -c 150000000 /dev/zero | tr '\0' 'B'
  printf ',X\r\n'
} >"$T/huge.csv"
measure print "$T/long.lbl" --data "$T/huge.csv" --output "$T/huge.pdf"
[ "$rc" = 2 ] || fail "150 MB record: status $rc, expected 2: $msg"
case "$msg" in *huge.csv*"line 3"*"16 MiB"*) ;; *) fail "150 MB record: message '$msg'" ;; esac
[ "${kb:-999999999}" -lt "$limit_kb" ] || fail "150 MB record: peak memory ${kb} KB"
[ ! -e "$T/huge.pdf" ] || fail "150 MB record: a PDF was left"

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
