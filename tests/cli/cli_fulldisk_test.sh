#!/usr/bin/env bash
# Saves on a full disk through the real command line: every command that
# replaces a file fails with its status, names the file and the reason, and
# leaves the old file whole with no temporary beside it. The disk is a 64 KiB
# tmpfs where this may mount one; otherwise a file-size limit, under which a
# write fails (EFBIG) as it does on a full disk. A job for a printer spools
# into the temporary folder (TMPDIR, the full disk here) of a private CUPS
# scheduler's queue, and nothing of it reaches the queue.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen
# The command line speaks English unless told otherwise.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
full="$T/full"
mkdir -p "$full" && mkdir -m 700 "$T/run"
mounted=0
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
cleanup() {
  cups_stop
  [ "$mounted" = 1 ] && umount "$full"
  rm -rf "$T"
}
trap cleanup EXIT
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k,mode=0755 quorvane-full "$full" 2>/dev/null; then
  mounted=1
fi
# Without a scheduler the printer's row is left out (the rest still holds).
printer_row=""
if ! cups_missing >/dev/null && cups_start "$T" && cups_add_queue office "$T/office.out"; then
  printer_row="1|4|old.pdf|Cannot spool the document in \"$full\"|print \"\$T/counter.lbl\" --printer office --quiet"
else
  echo "note: no private CUPS scheduler here; the printer's spool is not checked"
fi
export XDG_RUNTIME_DIR="$T/run" XDG_CONFIG_HOME="$full/config"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A label with a counter; under the size limit also 1500 empty text parts,
# which make its file (60 KiB) larger than the one-label PDF printed from it.
padding=1500
[ "$mounted" = 1 ] && padding=0
{
  printf '[FORMAT]\r\nWIDTH=2\r\nHEIGHT=1\r\nSHOWGRID=1\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nWIDTH=1.5\r\nHEIGHT=0.3\r\n'
  printf 'AUTOSIZE=0\r\nFONT_NAME=DejaVu Sans\r\nFONT_SIZE=9\r\nADVANCED=1\r\nADV_COUNT=%d\r\n' $((padding + 1))
  printf 'ADVTYPE_1=SEQUENCE\r\nADVCUR_1=1\r\nADVMIN_1=0\r\nADVMAX_1=999\r\nADVSIZE_1=0\r\n'
  for k in $(seq 2 $((padding + 1))); do printf 'ADVTYPE_%d=TEXT\r\nADVTXT_%d=\r\n' "$k" "$k"; done
} >"$T/counter.lbl"
printf '[FORMAT]\r\nWIDTH=8\r\nHEIGHT=8\r\nSHOWGRID=1\r\nCONTROLS=0\r\n' >"$T/big.lbl"
for f in old.pdf old.png; do echo "the old $f" >"$full/$f"; done
cp "$T/counter.lbl" "$full/counter.lbl"
# A settings file of 40 printers' calibrations (over 1 KiB).
for i in $(seq 1 40); do "$CLI" calibrate --printer "printer-$i" --offset 1,1 >/dev/null || fail "calibrate $i"; done
settings="$full/config/Maudrel Software/Quorvane.reg"
[ -s "$settings" ] || fail "no settings file written"
if [ "$mounted" = 1 ]; then
  dd if=/dev/zero of="$full/filler" bs=1k 2>/dev/null # fills the rest
  reason="No space left on device"
else
  reason="File too large"
fi
for f in old.pdf old.png counter.lbl config/Maudrel\ Software/Quorvane.reg; do cp "$full/$f" "$T/before-$(basename "$f")"; done

# status | file-size limit in KiB (without the tmpfs) | file kept | expected text | arguments
while IFS='|' read -r status limit kept text args; do
  [ -z "$status" ] && continue
  eval "set -- $args"
  out=$( ([ "$mounted" = 1 ] || ulimit -f "$limit"; trap '' XFSZ; TMPDIR="$full" exec timeout 120 "$CLI" "$@") 2>&1 >/dev/null)
  rc=$?
  [ "$rc" = "$status" ] || fail "quorvane-cli $args: status $rc (want $status): $out"
  grep -qF -- "$text" <<<"$out" || fail "quorvane-cli $args: no '$text' in: $out"
  grep -qF -- "$reason" <<<"$out" || fail "quorvane-cli $args: no '$reason' in: $out"
  cmp -s "$full/$kept" "$T/before-$(basename "$kept")" || fail "quorvane-cli $args: $kept was changed"
  leftover=$(cd "$full" && find . -newer "$T/before-old.pdf" -type f ! -name filler | head -3)
  [ -z "$leftover" ] || fail "quorvane-cli $args: left $leftover"
done <<ROWS
2|4|old.pdf|Cannot write "$full/old.pdf"|print "$T/counter.lbl" --output "$full/old.pdf"
2|1|old.png|cannot write $full/old.png|render "$T/big.lbl" --output "$full/old.png"
1|40|counter.lbl|counters were not saved: Cannot write $full/counter.lbl|print "$full/counter.lbl" --save-counters --quiet --output "$T/printed.pdf"
1|1|config/Maudrel Software/Quorvane.reg|Cannot write $settings|calibrate --printer printer-41 --offset 2,2
$printer_row
ROWS
[ -s "$T/printed.pdf" ] || fail "the counter label was not printed before its save failed"
if [ -n "$printer_row" ]; then
  jobs=$(lpstat -W all -o 2>&1)
  [ -z "$jobs" ] && [ ! -e "$T/office.out" ] || fail "a job reached the queue: $jobs"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "PASS ($([ "$mounted" = 1 ] && echo "64 KiB tmpfs" || echo "file-size limit"))"
