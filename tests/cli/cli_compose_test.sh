#!/usr/bin/env bash
# A label with every kind of composed part printed from a workbook with a
# header and a quantity column: a product's name by column name, a date 180
# days on, a counter stepping by 5, a batch number given with --set and a
# GTIN with its GS1 check digit, in a text and in a GS1-128 element string
# with the batch number. The pages are
# read back (pdftotext, zbar) and compared with values worked out here.
set -uo pipefail

CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
for tool in pdftotext pdftoppm zbarimg python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
trap 'rm -rf "$T" "$XDG_RUNTIME_DIR"' EXIT
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Records: 甲 twice, 乙 not at all, 丙 once.
python3 - "$T/goods.xlsx" "$T/goods.lbl" <<'PY'
import sys, zipfile
ns = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
rows = [("品名", "GTIN", "数量"), ("甲", "400638133393", 2), ("乙", "400638133394", 0), ("丙", "690123456789", 1)]
def cell(ref, v):
    if isinstance(v, int):
        return f'<c r="{ref}"><v>{v}</v></c>'
    return f'<c r="{ref}" t="inlineStr"><is><t>{v}</t></is></c>'
sheet = "".join(f'<row r="{r + 1}">' + "".join(cell(f"{'ABC'[i]}{r + 1}", v) for i, v in enumerate(row)) + "</row>"
                for r, row in enumerate(rows))
with zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
               '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
               '<Default Extension="xml" ContentType="application/xml"/></Types>')
    z.writestr("_rels/.rels", f'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               f'<Relationship Id="r" Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    z.writestr("xl/workbook.xml", f'<workbook {ns} xmlns:r="{rel}"><sheets><sheet name="货品" sheetId="1" r:id="s"/>'
               '</sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/'
               f'2006/relationships"><Relationship Id="s" Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/>'
               '</Relationships>')
    z.writestr("xl/worksheets/sheet1.xml", f'<worksheet {ns}><sheetData>{sheet}</sheetData></worksheet>')

label = """[FORMAT]
WIDTH=3
HEIGHT=1.25
TOPMARGIN=0
LEFTMARGIN=0
GAPHEIGHT=0
GAPWIDTH=0
METRIC=0
SHOWGRID=0
CONTROLS=2

[CNT_1]
TYPE=TEXT
TOP=0.05
LEFT=0.1
WIDTH=2.8
HEIGHT=0.25
AUTOSIZE=0
TRANSPARENT=1
ROTATE=0
HALIGN=0
VALIGN=3
FONT_NAME=WenQuanYi Zen Hei
FONT_SIZE=9
ADVANCED=1
ADV_COUNT=10
ADVTYPE_1=FIELD
ADVNUM_1=1
ADVNAME_1=品名
ADVTYPE_2=TEXT
ADVTXT_2=|
ADVTYPE_3=DATE
ADVFMT_3=YYYY-MM-DD
ADVOFFSET_3=+180d
ADVTYPE_4=TEXT
ADVTXT_4=|
ADVTYPE_5=SEQUENCE
ADVCUR_5=100
ADVMIN_5=0
ADVMAX_5=999999
ADVSIZE_5=0
ADVSTEP_5=5
ADVTYPE_6=TEXT
ADVTXT_6=|
ADVTYPE_7=ASK
ADVNAME_7=lot
ADVCAPTION_7=批号
ADVPATTERN_7=[A-Z][0-9]{4}
ADVSIZE_7=5
ADVTYPE_8=TEXT
ADVTXT_8=|
ADVTYPE_9=FIELD
ADVNUM_9=1
ADVNAME_9=GTIN
ADVTYPE_10=CHECK
ADVSCHEME_10=gs1
ADVOVER_10=9

[CNT_2]
TYPE=BARCODE
BCTYPE=8
SCALE=1
INTERPRET=1
AUTOSCALE=1
TOP=0.4
LEFT=0.2
WIDTH=2.6
HEIGHT=0.7
AUTOSIZE=0
TRANSPARENT=0
ROTATE=0
ALIGN=6
HALIGN=0
VALIGN=3
FONT_NAME=Courier New
FONT_SIZE=8
ADVANCED=1
ADV_COUNT=5
ADVTYPE_1=TEXT
ADVTXT_1=(01)0
ADVTYPE_2=FIELD
ADVNUM_2=1
ADVNAME_2=GTIN
ADVTYPE_3=CHECK
ADVSCHEME_3=gs1
ADVOVER_3=2
ADVTYPE_4=TEXT
ADVTXT_4=(10)
ADVTYPE_5=ASK
ADVNAME_5=lot
"""
open(sys.argv[2], "wb").write(label.replace("\n", "\r\n").encode("gb18030"))
PY

gs1() { # the GS1 check digit: weights 3 and 1 from the right, to the next ten
  local s=$1 sum=0 w=3 i
  for ((i = ${#s} - 1; i >= 0; i--)); do
    sum=$((sum + ${s:i:1} * w))
    w=$((4 - w))
  done
  echo $(((10 - sum % 10) % 10))
}
due=$(date -d "+180 days" +%Y-%m-%d)
a="4006381333931"
[ "$a" = "400638133393$(gs1 400638133393)" ] || fail "the test's own check digit is wrong"
c="690123456789$(gs1 690123456789)"
expected_text=("甲|$due|100|B2407|$a" "甲|$due|105|B2407|$a" "丙|$due|110|B2407|$c")
expected_code=("010${a}10B2407" "010${a}10B2407" "010${c}10B2407")

"$CLI" print "$T/goods.lbl" --data "$T/goods.xlsx" --all --quantity-column 数量 --set lot=B2407 --roll \
  --output "$T/goods.pdf" 2>"$T/err" || fail "print exited with $?: $(cat "$T/err")"
grep -q "3 labels on 3 pages" "$T/err" || fail "not 3 labels on 3 pages: $(cat "$T/err")"
for p in 1 2 3; do
  got=$(pdftotext -f $p -l $p "$T/goods.pdf" - 2>/dev/null | tr -d ' \f' | grep '|' | head -1)
  [ "$got" = "${expected_text[p - 1]}" ] || fail "page $p reads '$got', expected '${expected_text[p - 1]}'"
  pdftoppm -r 300 -f $p -l $p -gray -png "$T/goods.pdf" "$T/page"
  got=$(zbarimg -q --raw "$T"/page*.png 2>/dev/null | tr -d '\r\n')
  rm -f "$T"/page*.png
  [ "$got" = "${expected_code[p - 1]}" ] || fail "page $p: barcode reads '$got', expected '${expected_code[p - 1]}'"
done
[ "$(pdftotext -f 4 -l 4 "$T/goods.pdf" - 2>/dev/null)" = "" ] || fail "more than 3 pages"

# Refusals name what is at fault and print nothing.
refused() { # what expected-text args...
  local what=$1 text=$2; shift 2
  rm -f "$T/bad.pdf"
  msg=$("$CLI" print "$T/goods.lbl" --data "$T/goods.xlsx" --all --output "$T/bad.pdf" "$@" 2>&1 >/dev/null)
  local rc=$?
  [ $rc -eq 2 ] || fail "$what: status $rc ($msg)"
  case "$msg" in *"$text"*) ;; *) fail "$what: '$msg' lacks '$text'" ;; esac
  [ ! -e "$T/bad.pdf" ] || fail "$what: a PDF was written"
}
refused "no batch number" '"lot"' --quantity-column 数量
refused "a batch number its pattern refuses" '[A-Z][0-9]{4}' --set lot=b2407
refused "a malformed --set" '--set takes NAME=VALUE: lot' --set lot
refused "a quantity column the sheet lacks" '"件数"' --set lot=B2407 --quantity-column 件数

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
