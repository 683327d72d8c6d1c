#!/usr/bin/env bash
# Roll labels and printer calibration through a private CUPS scheduler with a
# PDF queue and a thermal queue on CUPS's own ZPL driver, both writing into
# this test's folder. The ZPL output's graphics are decoded into images (what
# the printer would print) and read back with zbar.
set -uo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
ZPL="python3 $HERE/../common/zpl_graphics.py"
export QT_QPA_PLATFORM=offscreen
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
for tool in pdftoppm zbarimg python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if why=$(cups_missing); then echo "SKIP: $why"; exit 77; fi
[ -f /usr/share/cups/drv/sample.drv ] || { echo "SKIP: CUPS's sample drivers are not installed"; exit 77; }
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
trap 'cups_stop; rm -rf "$T"' EXIT
trap 'exit 143' INT TERM HUP
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cups_start "$T" || { echo "FAIL: the private scheduler did not start"; exit 1; }
cups_add_queue office "$T/office.out" || { echo "FAIL: cannot add the PDF queue"; exit 1; }
cups_add_queue zebra "$T/zebra.out" drv:///sample.drv/zebra.ppd || { echo "FAIL: cannot add the ZPL queue"; exit 1; }
mkdir -p "$T/tmp" "$T/run" "$T/config" "$T/img"
chmod 700 "$T/run"
# The calibrations this test stores go to its own settings file.
export TMPDIR="$T/tmp" XDG_RUNTIME_DIR="$T/run" XDG_CONFIG_HOME="$T/config"

# A 2 x 1 in label holding a Code 128 of column 1; ROLL=1 when $1 says so.
write_label() { # file roll
  {
    printf '[FORMAT]\nWIDTH=2\nHEIGHT=1\nTOPMARGIN=%s\nLEFTMARGIN=%s\nGAPHEIGHT=0.25\nGAPWIDTH=0.25\nMETRIC=0\n' \
      "$3" "$3"
    [ "$2" = 1 ] && printf 'ROLL=1\n'
    printf 'CONTROLS=1\n\n[CNT_1]\nTYPE=BARCODE\nBCTYPE=0\nSCALE=1\nINTERPRET=0\nAUTOSCALE=1\n'
    printf 'TOP=0.1\nLEFT=0.1\nWIDTH=1.8\nHEIGHT=0.8\nAUTOSIZE=0\nTRANSPARENT=0\nROTATE=0\n'
    printf 'ADVANCED=1\nADV_COUNT=1\nADVTYPE_1=FIELD\nADVNUM_1=1\nADVSIZE_1=0\nADVCHAR_1=32\n'
  } >"$1"
}
write_label "$T/roll.lbl" 1 0
write_label "$T/sheet.lbl" 0 0.5
{ echo sku; for i in $(seq 1 30); do printf 'RL-%04d\n' "$i"; done; } >"$T/thirty.csv"

# Runs the CLI, then waits for the scheduler; sets rc, out (stdout), err.
print_job() {
  "$CLI" "$@" >"$T/out" 2>"$T/err"
  rc=$?
  out=$(cat "$T/out")
  err=$(cat "$T/err")
  cups_wait_idle 300 || fail "a job did not leave the queue: $(lpstat -o)"
}
# The labels of the last ZPL job as T/img/NAME-0001.pbm, ...; prints the count.
# The print widths (^PW) it set go to T/img/NAME.pw.
zpl_labels() { # name
  rm -f "$T/img/$1"-*.pbm
  grep -ao '\^PW[0-9]*' "$T/zebra.out" | sort -u | tr '\n' ' ' >"$T/img/$1.pw"
  $ZPL decode "$T/zebra.out" "$T/img/$1" || echo 0
  rm -f "$T/zebra.out"
}
# The size of a decoded label: "WIDTH HEIGHT" in dots (the width in whole bytes).
pbm_size() { head -c 20 "$1" | sed -n 2p; }

# 1. A merge of 30 records in roll mode: 30 labels on 203 DPI pages, each
#    barcode reading back to its record in order, bars whole dots.
print_job print "$T/roll.lbl" --data "$T/thirty.csv" --printer zebra --quiet
[ "$rc" = 0 ] || fail "roll merge: status $rc: $err"
[[ "$out" =~ ^job\ [0-9]+\ on\ zebra: ]] || fail "roll merge: no job id on stdout: '$out'"
n=$(zpl_labels merge)
[ "$n" = 30 ] || fail "roll merge: $n labels, expected 30"
got=""
for f in "$T"/img/merge-*.pbm; do
  got+="$(zbarimg -q --raw "$f" 2>/dev/null | tr -d '\r') "
done
want=$(for i in $(seq 1 30); do printf 'RL-%04d ' "$i"; done)
[ "$got" = "$want" ] || fail "roll merge read '$got', expected '$want'"
size=$(head -c 20 "$T/img/merge-0001.pbm" | sed -n 2p)
[ "$size" = "408 203" ] || fail "roll page of 2 x 1 in at 203 DPI is $size dots"
for f in "$T/img/merge-0001.pbm" "$T/img/merge-0030.pbm"; do
  module=$($ZPL modules "$f" 2>"$T/why") || fail "bars not whole dots in $(basename "$f"): $(cat "$T/why")"
  [ "${module:-0}" -ge 1 ] || fail "no module in $(basename "$f")"
done

# 2. --roll prints a sheet label one a page, the page the label alone (its
#    sheet margins of 0.5 in left out); a roll label keeps the margins its
#    format sets (3 x 2 in). The graphic's width is whole bytes.
write_label "$T/rollmargins.lbl" 1 0.5
while IFS='|' read -r name label roll size pw; do
  print_job print "$T/$label" --data "$T/thirty.csv" --labels 3 $roll --printer zebra --quiet
  [ "$rc" = 0 ] || fail "$name: status $rc: $err"
  n=$(zpl_labels rollpage)
  [ "$n" = 3 ] || fail "$name: $n labels, expected 3"
  [ "$(pbm_size "$T/img/rollpage-0001.pbm")" = "$size" ] ||
    fail "$name: page of $(pbm_size "$T/img/rollpage-0001.pbm") dots, expected $size"
  [ "$(cat "$T/img/rollpage.pw")" = "$pw " ] || fail "$name: print width $(cat "$T/img/rollpage.pw"), expected $pw"
done <<ROWS
sheet label --roll|sheet.lbl|--roll|408 203|^PW406
roll label with margins|rollmargins.lbl||616 406|^PW609
ROWS

# 3. A calibrated printer's output moves by the offset, within a device pixel,
#    on both queues; --offset for one job overrides the stored one.
bbox_zpl() { print_job print "$T/roll.lbl" --data "$T/thirty.csv" --labels 1 --printer zebra --quiet "$@"
             zpl_labels box >/dev/null; $ZPL bbox "$T/img/box-0001.pbm"; }
bbox_pdf() { print_job print "$T/sheet.lbl" --data "$T/thirty.csv" --labels 1 --printer office --quiet "$@"
             rm -f "$T"/img/office*.pgm
             pdftoppm -r 600 -gray -f 1 -l 1 "$T/office.out" "$T/img/office"
             $ZPL bbox "$T"/img/office*.pgm; rm -f "$T/office.out"; }
# expect_shift NAME BEFORE AFTER DX_MM DY_MM DPI TOLERANCE_PX
expect_shift() {
  python3 - "$@" <<'PY' || fail "$1: moved from '$2' to '$3', expected $4,$5 mm"
import sys
name, before, after, dx, dy, dpi, tol = sys.argv[1:]
b, a = [list(map(int, s.split()[:2])) for s in (before, after)]
want = [float(dx) / 25.4 * float(dpi), float(dy) / 25.4 * float(dpi)]
got = [a[0] - b[0], a[1] - b[1]]
ok = all(abs(g - w) <= float(tol) for g, w in zip(got, want))
print('%s: moved %s px, expected %.2f %.2f' % (name, got, want[0], want[1]), file=sys.stderr)
sys.exit(0 if ok else 1)
PY
}
z0=$(bbox_zpl)
p0=$(bbox_pdf)
"$CLI" calibrate --printer zebra --offset 1.5,2 >/dev/null || fail "calibrate zebra: status $?"
"$CLI" calibrate --printer office --offset 1.5,2 >/dev/null || fail "calibrate office: status $?"
grep -q '"Calibration:zebra"="1.5,2,100,100"' "$T/config/Maudrel Software/Quorvane.reg" ||
  fail "the calibration is not in the settings: $(cat "$T/config/Maudrel Software/Quorvane.reg")"
z1=$(bbox_zpl)
p1=$(bbox_pdf)
expect_shift zebra "$z0" "$z1" 1.5 2 203 1
# The PDF queue's pages are rasterised at 600 DPI: one device pixel of its
# resolution is up to 600/300 raster pixels.
expect_shift office "$p0" "$p1" 1.5 2 600 2
z2=$(bbox_zpl --offset 0,0)
[ "$z2" = "$z0" ] || fail "--offset 0,0 for one job: '$z2', expected '$z0'"
"$CLI" calibrate --printer zebra --reset >/dev/null || fail "calibrate --reset: status $?"
[ "$(bbox_zpl)" = "$z0" ] || fail "after --reset the zebra still moves"

# 4. Without values calibrate prints the calibration page, the size of the
#    queue's default media (4 x 5 in), or of the roll page of the label given.
#    The first crosshair's centre is 10 mm (5 mm on a page under 60 mm) from
#    the paper's left and top edges, its arms 4 mm long.
while IFS='|' read -r name args size pw arm; do
  eval "set -- $args"
  print_job calibrate --printer zebra "$@"
  [ "$rc" = 0 ] || fail "calibration page, $name: status $rc: $err"
  [ "$(zpl_labels calpage)" = 1 ] || fail "calibration page, $name: not printed"
  [ "$(pbm_size "$T/img/calpage-0001.pbm")" = "$size" ] ||
    fail "calibration page, $name: $(pbm_size "$T/img/calpage-0001.pbm") dots, expected $size"
  [ "$(cat "$T/img/calpage.pw")" = "$pw " ] || fail "calibration page, $name: print width $(cat "$T/img/calpage.pw")"
  expect_shift "calibration page, $name" "0 0" "$($ZPL bbox "$T/img/calpage-0001.pbm")" "$arm" "$arm" 203 2
done <<ROWS
queue's media||816 1015|^PW812|6
roll label|--label "$T/roll.lbl"|408 203|^PW406|1
ROWS

# 5. Jobs that cannot print: an unknown queue, a stopped queue.
print_job print "$T/roll.lbl" --labels 1 --printer nosuch --quiet
[ "$rc" != 0 ] || fail "unknown queue: status 0"
[[ "$err" == *"no such printer: nosuch"* ]] || fail "unknown queue: message '$err'"
"$(_cups_bin cupsdisable)" zebra 2>/dev/null || cupsdisable zebra
"$CLI" print "$T/roll.lbl" --data "$T/thirty.csv" --labels 1 --printer zebra --quiet >"$T/out" 2>"$T/err"
rc=$?
[ "$rc" = 4 ] || fail "stopped queue: status $rc, expected 4 (queued)"
[[ "$(cat "$T/out")" =~ ^job\ [0-9]+\ on\ zebra:\ (pending|held) ]] || fail "stopped queue: stdout '$(cat "$T/out")'"
[[ "$(cat "$T/err")" == *"the printer zebra is stopped"* ]] || fail "stopped queue: message '$(cat "$T/err")'"
cancel -a zebra 2>/dev/null

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
