#!/usr/bin/env bash
# The print and render commands as a person runs them: a sheet of labels fed
# from a CSV file goes to a PDF at 600 DPI, every label is rasterised and its
# barcode read back with zbar, and the failures leave nothing behind.
set -uo pipefail

CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen
for tool in pdftoppm pdfimages zbarimg pdfinfo pdftotext python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
trap 'rm -rf "$T" "$XDG_RUNTIME_DIR"' EXIT
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A Letter sheet of 2.5 x 1.25 in labels, 3 across and 8 down: a Code 128 of
# column 1, a text of columns 2 and 3, a static text and a counter.
write_label() { # file counter-start
  cat >"$1" <<LBL
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
SCALE=1
INTERPRET=1
AUTOSCALE=1
TOP=0.1
LEFT=0.15
WIDTH=2.2
HEIGHT=0.55
AUTOSIZE=0
TRANSPARENT=0
ROTATE=0
ALIGN=6
HALIGN=0
VALIGN=3
FONT_NAME=Courier New
FONT_SIZE=8
ADVANCED=1
ADV_COUNT=1
ADVTYPE_1=FIELD
ADVNUM_1=1
ADVSIZE_1=0
ADVCHAR_1=32

[CNT_2]
TYPE=TEXT
TOP=0.75
LEFT=0.15
WIDTH=2.2
HEIGHT=0.2
AUTOSIZE=0
TRANSPARENT=1
ROTATE=0
HALIGN=0
VALIGN=3
FONT_NAME=DejaVu Sans
FONT_SIZE=9
ADVANCED=1
ADV_COUNT=5
ADVTYPE_1=FIELD
ADVNUM_1=2
ADVTYPE_2=TEXT
ADVTXT_2= 
ADVTYPE_3=FIELD
ADVNUM_3=3
ADVTYPE_4=TEXT
ADVTXT_4= #
ADVTYPE_5=SEQUENCE
ADVCUR_5=$2
ADVMIN_5=0
ADVMAX_5=999999999
ADVSIZE_5=0

[CNT_3]
TYPE=TEXT
TOP=0.98
LEFT=0.15
WIDTH=2.2
HEIGHT=0.2
AUTOSIZE=0
TRANSPARENT=1
ROTATE=0
FONT_NAME=DejaVu Sans
FONT_SIZE=8
ADVANCED=0
TEXT=Quorvane stock label
LBL
}

write_label "$T/shelf.lbl" 1
{
  echo "sku,name,size"
  for i in $(seq 1 30); do printf 'QV-%05d,Item %d,%dml\r\n' "$i" "$i" "$((i * 10))"; done
} >"$T/stock.csv"

# 1. 30 records at 600 DPI: 24 on page 1, 6 on page 2, row by row.
if ! "$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --output "$T/out.pdf" --paper Letter --quiet; then
  fail "print to PDF exited with $?"
fi
pages=$(pdfinfo "$T/out.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
[ "$pages" = "2" ] || fail "expected 2 pages, got '$pages'"
size=$(pdfinfo "$T/out.pdf" 2>/dev/null | awk '/^Page size:/ {print $3 "x" $5}')
[ "$size" = "612x792" ] || fail "expected a Letter page, got '$size'"

# What the barcode of label k (0-based, row by row) reads, via the grid cell
# at 300 DPI: left 56.25 + 787.5 c, top 150 + 375 r, 750 x 375.
read_cell() { # pdf k
  local page=$(($2 / 24 + 1)) cell=$(($2 % 24))
  local r=$((cell / 3)) c=$((cell % 3))
  local x=$(( (5625 + 78750 * c) / 100 )) y=$((150 + 375 * r))
  pdftoppm -r 300 -f "$page" -l "$page" -x "$x" -y "$y" -W 750 -H 375 -gray -png "$1" "$T/cell"
  zbarimg -q --raw "$T"/cell*.png 2>/dev/null | tr -d '\r' | tr '\n' ' '
  rm -f "$T"/cell*.png
}
for k in $(seq 0 29); do
  want=$(printf 'QV-%05d ' $((k + 1)))
  got=$(read_cell "$T/out.pdf" "$k")
  [ "$got" = "$want" ] || fail "label $((k + 1)): read '$got', expected '$want'"
done

# 2. Copies and a label limit: 5 labels, and the counter stored back.
write_label "$T/count.lbl" 7
"$CLI" print "$T/count.lbl" --data "$T/stock.csv" --copies 2 --labels 5 --output "$T/five.pdf" --save-counters \
  --quiet || fail "copies/labels print exited with $?"
tr -d '\r' <"$T/count.lbl" | grep -q '^ADVCUR_5=9$' || fail "counter not saved as 9: $(grep ADVCUR_5 "$T/count.lbl")"
got=""
for k in 0 1 2 3 4 5; do got+=$(read_cell "$T/five.pdf" "$k")"|"; done
[ "$got" = "QV-00001 |QV-00001 |QV-00002 |QV-00002 |QV-00003 ||" ] || fail "copies: got '$got'"

# 3. Failures: a message naming the problem, status 2, no output left behind.
expect_fail() { # description expected-text args...
  local what="$1" text="$2"; shift 2
  rm -f "$T/bad.pdf"
  local msg
  msg=$("$CLI" "$@" 2>&1 >/dev/null); local rc=$?
  [ $rc -eq 2 ] || fail "$what: status $rc, expected 2 ($msg)"
  [ "$(printf '%s\n' "$msg" | wc -l)" -eq 1 ] || fail "$what: message is not one line: $msg"
  case "$msg" in *"$text"*) ;; *) fail "$what: message '$msg' lacks '$text'";; esac
  [ ! -e "$T/bad.pdf" ] || fail "$what: output written"
}
printf 'sku,name\r\n' >"$T/header.csv"
expect_fail "missing label" "nothing.lbl" print "$T/nothing.lbl" --output "$T/bad.pdf"
expect_fail "missing data" "missing.csv" print "$T/shelf.lbl" --data "$T/missing.csv" --output "$T/bad.pdf"
expect_fail "no fit" "The label does not fit on the page." print "$T/shelf.lbl" --output "$T/bad.pdf" --paper 50x50mm
expect_fail "no records" "The data file has no records." print "$T/shelf.lbl" --data "$T/header.csv" --output "$T/bad.pdf"
expect_fail "bad paper" "B7" print "$T/shelf.lbl" --output "$T/bad.pdf" --paper B7
expect_fail "bad copies" "--copies" print "$T/shelf.lbl" --output "$T/bad.pdf" --copies 0
expect_fail "two ranges" "--pages" print "$T/shelf.lbl" --output "$T/bad.pdf" --pages 1 --labels 2
expect_fail "all without data" "--all" print "$T/shelf.lbl" --output "$T/bad.pdf" --all
expect_fail "unwritable output" "nofolder" print "$T/shelf.lbl" --output "$T/nofolder/bad.pdf"
expect_fail "pages backwards" "--pages" print "$T/shelf.lbl" --output "$T/bad.pdf" --pages 4-3
expect_fail "record 0" "--records" print "$T/shelf.lbl" --data "$T/stock.csv" --output "$T/bad.pdf" --records 0-2
expect_fail "records without data" "--records" print "$T/shelf.lbl" --output "$T/bad.pdf" --records 1-2
expect_fail "records past the end" "record 31 is past its end" print "$T/shelf.lbl" --data "$T/stock.csv" \
  --output "$T/bad.pdf" --records 31-40
expect_fail "pages past the end" "The job has 2 pages; page 3 is past its end" print "$T/shelf.lbl" \
  --data "$T/stock.csv" --output "$T/bad.pdf" --pages 3-4
leftovers=$(ls -A "$T" | grep -v -E '^(shelf\.lbl|count\.lbl|stock\.csv|header\.csv|out\.pdf|five\.pdf)$')
[ -z "$leftovers" ] || fail "files left behind: $leftovers"

# 5. A QR Code of "项目 " and column 1 on 1.5 in square labels, 5 across:
# every label reads back its record, in order, except records 3 and 6, too
# long for error correction H: the job goes on, names them, status 3.
cat >"$T/qr.lbl" <<LBL
[FORMAT]
WIDTH=1.5
HEIGHT=1.5
TOPMARGIN=0.5
LEFTMARGIN=0.1875
GAPHEIGHT=0
GAPWIDTH=0.125
METRIC=0
SHOWGRID=0
CONTROLS=1

[CNT_1]
TYPE=BARCODE
BCTYPE=13
SCALE=1
INTERPRET=1
AUTOSCALE=1
BCECC=3
BCSIZE=0
BCRECT=0
TOP=0.1
LEFT=0.1
WIDTH=0.5
HEIGHT=0.5
AUTOSIZE=1
ALIGN=6
HALIGN=0
VALIGN=3
ADVANCED=1
ADV_COUNT=2
ADVTYPE_1=TEXT
ADVTXT_1=项目 
ADVTYPE_2=FIELD
ADVNUM_2=1
ADVSIZE_2=0
ADVCHAR_2=32
LBL
long=$(printf 'x%.0s' $(seq 1 1500))
{
  echo "sku"
  for i in $(seq 1 8); do
    if [ "$i" = 3 ] || [ "$i" = 6 ]; then echo "$long"; else printf 'QV-%05d\n' "$i"; fi
  done
} >"$T/qr.csv"
"$CLI" print "$T/qr.lbl" --data "$T/qr.csv" --output "$T/qr.pdf" --paper Letter --quiet 2>"$T/qr.err"
rc=$?
[ $rc -eq 3 ] || fail "QR print: status $rc, expected 3 ($(cat "$T/qr.err"))"
grep -c '^record [0-9]*: no barcode: Data too long for QR Code$' "$T/qr.err" | grep -qx 2 &&
  grep -q '^record 3:' "$T/qr.err" && grep -q '^record 6:' "$T/qr.err" || fail "QR print stderr: $(cat "$T/qr.err")"
got=""
for k in $(seq 0 7); do
  r=$((k / 5)) c=$((k % 5))
  pdftoppm -r 300 -f 1 -l 1 -x $(( (5625 + 48750 * c) / 100 )) -y $((150 + 450 * r)) -W 450 -H 450 -gray -png \
    "$T/qr.pdf" "$T/cell"
  got+=$(zbarimg -q --raw "$T"/cell*.png 2>/dev/null | tr -d '\r' | tr '\n' ' ')"|"
  rm -f "$T"/cell*.png
done
want="项目 QV-00001 |项目 QV-00002 ||项目 QV-00004 |项目 QV-00005 ||项目 QV-00007 |项目 QV-00008 |"
[ "$got" = "$want" ] || fail "QR labels read '$got', expected '$want'"
rm -f "$T/qr.lbl" "$T/qr.csv" "$T/qr.pdf" "$T/qr.err"

# 8. Ranges and collated copies. Three copies of 30 records fill 4 pages:
# pages 3-4 alone are pixel for pixel those of the whole job, counters and
# records included. Records 5-7 print those records with the counter the
# whole run gives them; collated, the run comes twice.
"$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --copies 3 --output "$T/all4.pdf" --paper Letter --quiet &&
  "$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --copies 3 --pages 3-4 --output "$T/p34.pdf" --paper Letter \
    --quiet || fail "page range print exited with $?"
pdftoppm -r 40 -f 3 -l 4 "$T/all4.pdf" "$T/all" && pdftoppm -r 40 "$T/p34.pdf" "$T/part"
[ "$(pdfinfo "$T/p34.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] && cmp -s "$T/all-3.ppm" "$T/part-1.ppm" &&
  cmp -s "$T/all-4.ppm" "$T/part-2.ppm" || fail "--pages 3-4 differs from pages 3-4 of the whole job"
labels_in() { pdftotext "$1" - | grep -o 'Item [0-9]* [0-9]*ml #[0-9]*' | tr '\n' '|'; }
"$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --records 5-7 --output "$T/r57.pdf" --quiet ||
  fail "record range print exited with $?"
[ "$(labels_in "$T/r57.pdf")" = "Item 5 50ml #5|Item 6 60ml #6|Item 7 70ml #7|" ] ||
  fail "--records 5-7 printed '$(labels_in "$T/r57.pdf")'"
"$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --records 29- --collate --copies 2 --output "$T/coll.pdf" \
  --quiet || fail "collated print exited with $?"
[ "$(labels_in "$T/coll.pdf")" = "Item 29 290ml #29|Item 30 300ml #30|Item 29 290ml #29|Item 30 300ml #30|" ] &&
  [ "$(pdfinfo "$T/coll.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] ||
  fail "--collate --copies 2 printed '$(labels_in "$T/coll.pdf")'"
# Started on label 5 of a part-used sheet, pages 2-3 are still those of the
# whole job; collated, the second run starts on a fresh page with the same labels.
"$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --copies 3 --first 5 --output "$T/all4.pdf" --paper Letter \
  --quiet && "$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --copies 3 --first 5 --pages 2-3 \
  --output "$T/p23.pdf" --paper Letter --quiet || fail "page range from label 5 exited with $?"
pdftoppm -r 40 -f 2 -l 3 "$T/all4.pdf" "$T/all" && pdftoppm -r 40 "$T/p23.pdf" "$T/part"
cmp -s "$T/all-2.ppm" "$T/part-1.ppm" && cmp -s "$T/all-3.ppm" "$T/part-2.ppm" ||
  fail "--first 5 --pages 2-3 differs from pages 2-3 of the whole job"
"$CLI" print "$T/shelf.lbl" --data "$T/stock.csv" --records 29- --collate --copies 2 --first 2 \
  --output "$T/coll.pdf" --quiet || fail "collated print from label 2 exited with $?"
[ "$(labels_in "$T/coll.pdf")" = "Item 29 290ml #29|Item 30 300ml #30|Item 29 290ml #29|Item 30 300ml #30|" ] ||
  fail "--collate --first 2 printed '$(labels_in "$T/coll.pdf")'"
# On a terminal the progress line names the page of the total.
if command -v script >/dev/null; then
  script -qec "'$CLI' --lang en print '$T/shelf.lbl' --data '$T/stock.csv' --output '$T/tty.pdf' --paper Letter" \
    /dev/null </dev/null | tr '\r' '\n' | grep -q '^Page 1 of 2' || fail "no 'Page 1 of 2' line on a terminal"
fi
rm -f "$T"/all* "$T"/part* "$T"/p34.pdf "$T"/p23.pdf "$T"/r57.pdf "$T"/coll.pdf "$T"/tty.pdf

# 4. Render: the label as the designer shows it, 2.5 x 1.25 in at 96 DPI.
"$CLI" render "$T/shelf.lbl" --output "$T/shelf.png" || fail "render exited with $?"
file "$T/shelf.png" 2>/dev/null | grep -q "PNG image data, 240 x 120" || fail "render: $(file "$T/shelf.png")"

# 6. An opaque memo brought over a barcode hides it, on paper and rendered:
# its text is one short word, so only its box covers the bars. The same memo
# transparent lets them show (both readings come from the same crops).
write_cover() { # file transparent
  cat >"$1" <<LBL
[FORMAT]
WIDTH=2.5
HEIGHT=1.25
TOPMARGIN=0
LEFTMARGIN=0
GAPHEIGHT=0
GAPWIDTH=0
METRIC=0
SHOWGRID=0
CONTROLS=2

[CNT_1]
TYPE=BARCODE
BCTYPE=0
SCALE=1
AUTOSCALE=0
INTERPRET=0
TOP=0.1
LEFT=0.15
WIDTH=2.2
HEIGHT=0.55
AUTOSIZE=0
TRANSPARENT=0
TEXT=QV-4711

[CNT_2]
TYPE=MEMO
TOP=0.05
LEFT=0.1
WIDTH=2.3
HEIGHT=0.7
AUTOSIZE=0
TRANSPARENT=$2
FONT_NAME=DejaVu Sans
FONT_SIZE=8
MEMO_1=Hi
MEMO_LINES=1
LBL
}
# The part of the memo's box under its text line: blank when covered.
blank() { convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:minima]' info:; }
for transparent in 0 1; do
  write_cover "$T/cover.lbl" "$transparent"
  "$CLI" print "$T/cover.lbl" --output "$T/cover.pdf" --paper Letter --labels 1 --quiet ||
    fail "cover print exited with $?"
  pdftoppm -r 300 -f 1 -l 1 -x 0 -y 0 -W 750 -H 375 -gray -png "$T/cover.pdf" "$T/cover"
  "$CLI" render "$T/cover.lbl" --output "$T/cover.png" --no-grid || fail "cover render exited with $?"
  paper=$(blank "$T"/cover-*.png 660x150+45+60) screen=$(blank "$T/cover.png" 210x48+14+20)
  read=$(zbarimg -q --raw "$T"/cover-*.png 2>/dev/null | tr -d '\r\n')
  if [ "$transparent" = 0 ]; then
    [ "$paper" = 1 ] && [ -z "$read" ] || fail "opaque memo: the barcode shows on paper (read '$read')"
    [ "$screen" = 1 ] || fail "opaque memo: the barcode shows in the rendering"
  else
    [ "$read" = QV-4711 ] || fail "transparent memo: the barcode reads '$read'"
    [ "$paper" != 1 ] && [ "$screen" != 1 ] || fail "transparent memo hides the barcode ($paper, $screen)"
  fi
  rm -f "$T"/cover*
done

# 7. A margin off the page is read as 0: the label still renders, and stderr
# says so in one line naming the file and the key.
sed 's/^LEFTMARGIN=.*/LEFTMARGIN=-1/' "$T/shelf.lbl" >"$T/off.lbl"
"$CLI" --lang en render "$T/off.lbl" --output "$T/off.png" 2>"$T/off.err" || fail "off-page margin: render exited with $?"
[ "$(cat "$T/off.err")" = "$T/off.lbl: LEFTMARGIN=-1 would place labels outside the page; read as 0." ] ||
  fail "off-page margin: stderr '$(cat "$T/off.err")'"

# 8. Die-cut shapes and alignment aids on 1 in labels, 0.5 in apart and from
# the paper's corner, rasterised at 50 DPI (label 1 spans pixels 25-75).
write_aids() { # file extra-format-lines controls
  printf '[FORMAT]\nWIDTH=1\nHEIGHT=1\nTOPMARGIN=0.5\nLEFTMARGIN=0.5\nGAPHEIGHT=0.5\nGAPWIDTH=0.5\nMETRIC=0\n%bCONTROLS=%s\n' \
    "$2" "$3" >"$1"
  [ "$3" = 0 ] || printf '[CNT_1]\nTYPE=SHAPE\nSHAPEFORMAT=0\nPEN_WIDTH=0\nPEN_COLOR=0\nBRUSH_STYLE=0\nBRUSH_COLOR=0\nTOP=%s\nLEFT=0\nWIDTH=%s\nHEIGHT=1\nAUTOSIZE=0\nTRANSPARENT=0\nROTATE=0\n' \
    "$4" "$5" >>"$1"
}
# Grey levels of page 1 at the pixels x,y named ("x,y ..." -> "v ...").
levels() { # pdf name points...
  pdftoppm -r 50 -f 1 -l 1 -gray "$1" "$T/$2"
  python3 - "$T/$2"-1.pgm "${@:3}" <<'PY'
import sys
d = open(sys.argv[1], 'rb').read().split(b'\n', 3)
w = int(d[1].split()[0])
print(' '.join(str(d[3][int(y) * w + int(x)]) for x, y in (p.split(',') for p in sys.argv[2:])))
PY
}
# name | format lines | items: 0, or 1 and the filled box's top and width | options | points | expected: w white (> 250), d drawn
while IFS="|" read -r name fmt item opts points want; do
  # shellcheck disable=SC2086
  write_aids "$T/aids.lbl" "$fmt" $item
  # shellcheck disable=SC2086
  "$CLI" print "$T/aids.lbl" --output "$T/aids.pdf" --paper 100x100mm --quiet $opts || fail "$name: print exited with $?"
  # shellcheck disable=SC2086
  got=$(levels "$T/aids.pdf" aids $points | python3 -c 'import sys; print("".join("w" if int(v) > 250 else "d" for v in sys.stdin.read().split()))')
  [ "$got" = "$want" ] || fail "$name: pixels $points read $got, expected $want"
  rm -f "$T"/aids*
done <<'ROWS'
rectangle: corners and centre printed||1 0 1||27,27 73,73 50,50|ddd
round: corners clipped, centre and edges printed|SHAPE=ROUND\n|1 0 1||27,27 73,27 27,73 73,73 50,50 26,50 50,74|wwwwddd
rounded rectangle: only the corner cut|SHAPE=ROUNDED\nRADIUS=0.25\n|1 0 1||26,26 38,26 50,26|wdd
no outline: the label's edges are blank|\n|0||25,50 50,25 75,50|www
outline: the label's edges are drawn|\n|0|--outline|25,50 50,25 50,50|ddw
round outline: on the circle, not the corners|SHAPE=ELLIPSE\n|0|--outline|25,50 27,27 50,50|dww
crop marks in the margin and gap, none on a label|\n|0|--cropmarks|20,25 25,20 95,25 100,20 50,50 26,26|ddddww
ROWS

# Mirror-inverted: the page equals the plain page flipped left to right.
write_aids "$T/half.lbl" '' 1 0 0.4
"$CLI" print "$T/half.lbl" --output "$T/plain.pdf" --paper 100x100mm --quiet || fail "plain print exited with $?"
"$CLI" print "$T/half.lbl" --output "$T/mirror.pdf" --paper 100x100mm --mirror --quiet || fail "mirror print exited with $?"
pdftoppm -r 50 -gray "$T/plain.pdf" "$T/plain" && pdftoppm -r 50 -gray "$T/mirror.pdf" "$T/mirror"
python3 - "$T/plain-1.pgm" "$T/mirror-1.pgm" <<'PY' || fail "--mirror: the page is not the plain page flipped"
import sys
def rows(f):
    d = open(f, 'rb').read().split(b'\n', 3)
    w, h = map(int, d[1].split())
    return [d[3][y * w:(y + 1) * w] for y in range(h)]
a, b = rows(sys.argv[1]), rows(sys.argv[2])
differ = sum(x != y for ra, rb in zip(a, b) for x, y in zip(ra, rb[::-1]))
dark = sum(v < 128 for r in a for v in r)
sys.exit(0 if len(a) == len(b) and dark > 100 and differ <= len(a) else 1)
PY

# Pictures over a black box filling label 1: the top half opaque red, the
# bottom half transparent (white at alpha 0), so the box shows through it;
# a PNG, the same as an SVG drawing (vector: no image in the PDF), and the
# PNG embedded in the label with its file gone. A missing picture prints
# nothing (the box stays black) and is told once for the job.
python3 - "$T" <<'PY'
import base64, struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
rows = b''.join(b'\0' + (b'\xff\0\0\xff' if y < 5 else b'\xff\xff\xff\0') * 10 for y in range(10))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 10, 10, 8, 6, 0, 0, 0)) \
    + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b'')
open(sys.argv[1] + '/logo.png', 'wb').write(png)
open(sys.argv[1] + '/logo.svg', 'w').write(
    "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='10' height='5' fill='red'/></svg>")
open(sys.argv[1] + '/embedded.txt', 'w').write(base64.b64encode(png).decode())
PY
picture_label() { # file picture [extra lines]
  write_aids "$1" '' 2 0 1
  printf '[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=%s\nIMG_ASPECTS=0\n%bTOP=0\nLEFT=0\nWIDTH=1\nHEIGHT=1\nAUTOSIZE=0\nTRANSPARENT=0\n' \
    "$2" "${3:-}" >>"$1"
}
picture_label "$T/png.lbl" logo.png
picture_label "$T/svg.lbl" logo.svg
picture_label "$T/embedded.lbl" moved-away.png "IMG_FORMAT=png\nIMG_DATA=$(cat "$T/embedded.txt")\n"
picture_label "$T/gone.lbl" gone.png
# name | label | expected status | grey levels at the top half, the bottom half (r red, d dark)
while IFS="|" read -r name lbl status want; do
  "$CLI" print "$T/$lbl" --output "$T/pic.pdf" --paper 100x100mm --labels 3 --quiet 2>"$T/pic.err"
  rc=$?
  [ "$rc" = "$status" ] || fail "$name: print exited with $rc, expected $status: $(cat "$T/pic.err")"
  got=$(levels "$T/pic.pdf" pic 50,35 50,65 | python3 -c 'import sys; print("".join("r" if 50 < int(v) < 110 else "d" if int(v) < 20 else "?" for v in sys.stdin.read().split()))')
  [ "$got" = "$want" ] || fail "$name: the picture's halves read $got, expected $want"
  rm -f "$T"/pic-*
done <<'ROWS'
PNG with alpha|png.lbl|0|rd
SVG drawing|svg.lbl|0|rd
embedded PNG, file gone|embedded.lbl|0|rd
missing picture|gone.lbl|3|dd
ROWS
told=$(grep -c "no picture: .*gone.png cannot be read" "$T/pic.err")
[ "$told" = 1 ] || fail "a missing picture in a 3-label job was told $told times: $(cat "$T/pic.err")"
"$CLI" print "$T/svg.lbl" --output "$T/svg.pdf" --paper 100x100mm --quiet || fail "SVG print exited with $?"
images=$(pdfimages -list "$T/svg.pdf" 2>/dev/null | tail -n +3 | wc -l)
[ "$images" = 0 ] || fail "the SVG went into the PDF as $images image(s), not as vector"

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
