#!/usr/bin/env bash
# The same 30 records from a spreadsheet print the same pages as from their
# CSV twin: tests/sheets/stock.ods (written by odfpy), stock.xlsx and
# stock.xls (saved from it by LibreOffice), made by tests/sheets/make_fixtures.py.
# The pages are rasterised and compared, and every barcode is read back.
set -uo pipefail

CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
SHEETS="${QV_SOURCE_DIR:-.}/tests/sheets"
export QT_QPA_PLATFORM=offscreen
for tool in pdftoppm zbarimg; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }

T=$(mktemp -d)
trap 'rm -rf "$T" "$XDG_RUNTIME_DIR"' EXIT
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Letter sheets of 2.5 x 1.25 in labels, 3 across and 8 down: a Code 128 of
# column 1 and a text of columns 2 to 5.
LABEL="${QV_SOURCE_DIR:-.}/tests/common/record_label.lbl"

pages() { # pdf prefix: both pages as greyscale images at 100 DPI
  pdftoppm -r 100 -gray "$1" "$2"
}

"$CLI" print "$LABEL" --data "$SHEETS/stock.csv" --output "$T/csv.pdf" --paper Letter --quiet ||
  fail "CSV print exited with $?"
pages "$T/csv.pdf" "$T/csv"
[ -f "$T/csv-2.pgm" ] || fail "the CSV print has not two pages"

# What the barcode of label k (0-based, row by row) reads, via its grid cell at
# 300 DPI: left 56.25 + 787.5 c, top 150 + 375 r, 750 x 375.
read_cell() { # pdf k
  local page=$(($2 / 24 + 1)) cell=$(($2 % 24))
  local r=$((cell / 3)) c=$((cell % 3))
  pdftoppm -r 300 -f "$page" -l "$page" -x $(( (5625 + 78750 * c) / 100 )) -y $((150 + 375 * r)) -W 750 -H 375 \
    -gray -png "$1" "$T/cell"
  zbarimg -q --raw "$T"/cell*.png 2>/dev/null | tr -d '\r' | tr '\n' ' '
  rm -f "$T"/cell*.png
}

# Each label of the CSV's print reads its record; each spreadsheet's pages are
# those pages, pixel for pixel, so they read the same.
for k in $(seq 0 29); do
  want=$(printf 'QV-%05d ' $((k + 1)))
  got=$(read_cell "$T/csv.pdf" "$k")
  [ "$got" = "$want" ] || fail "CSV label $((k + 1)): read '$got', expected '$want'"
done
for sheet in stock.xlsx stock.ods stock.xls; do
  "$CLI" print "$LABEL" --data "$SHEETS/$sheet" --output "$T/$sheet.pdf" --paper Letter --quiet ||
    { fail "$sheet: print exited with $?"; continue; }
  pages "$T/$sheet.pdf" "$T/$sheet"
  for p in 1 2; do
    cmp -s "$T/csv-$p.pgm" "$T/$sheet-$p.pgm" || fail "$sheet: page $p differs from the CSV's"
  done
  [ ! -e "$T/$sheet-3.pgm" ] || fail "$sheet: more than two pages"
done

# The second sheet by name and by number: one label, "second sheet" in
# column 1 (its only row is no header here).
for choice in Notes 2; do
  "$CLI" print "$LABEL" --data "$SHEETS/stock.xlsx" --sheet "$choice" --no-header --output "$T/notes.pdf" \
    --paper Letter --quiet || fail "--sheet $choice exited with $?"
  got=$(read_cell "$T/notes.pdf" 0)
  [ "$got" = "second sheet " ] || fail "--sheet $choice: read '$got'"
  got=$(read_cell "$T/notes.pdf" 1)
  [ -z "$got" ] || fail "--sheet $choice: a second label reads '$got'"
done

# Refusals: one line naming the problem, status 2, no PDF.
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
cp "$SHEETS/stock.csv" "$T/fake.xlsx"
expect_fail "no such sheet" 'no sheet "Prices" (the sheets: Stock, Notes)' print "$LABEL" \
  --data "$SHEETS/stock.ods" --sheet Prices --output "$T/bad.pdf"
expect_fail "sheet of a CSV" "--sheet" print "$LABEL" --data "$SHEETS/stock.csv" --sheet 1 --output "$T/bad.pdf"
expect_fail "not a workbook" "fake.xlsx" print "$LABEL" --data "$T/fake.xlsx" --output "$T/bad.pdf"
expect_fail "cut-off workbook" "broken.xlsx\": xl/worksheets/data.xml, line 5: Premature end of document." print \
  "$LABEL" --data "$SHEETS/broken.xlsx" --output "$T/bad.pdf"
expect_fail "protected workbook" "protected.xlsx\": the workbook is protected by a password" print \
  "$LABEL" --data "$SHEETS/protected.xlsx" --output "$T/bad.pdf"
expect_fail "text named .xlsx" "it is a text file" print "$LABEL" --data "$T/fake.xlsx" --output "$T/bad.pdf"
expect_fail "shared string out of range" "BadString!B2: shared string 99 does not exist" print "$LABEL" \
  --data "$SHEETS/formats.xlsx" --sheet BadString --output "$T/bad.pdf"
expect_fail "header only" 'The data file has no records. ('"$SHEETS"'/formats.xlsx, sheet "Hidden")' print "$LABEL" \
  --data "$SHEETS/formats.xlsx" --sheet Hidden --output "$T/bad.pdf"

# Formatted cells print as LibreOffice shows them: formats.xlsx (its hidden
# active first sheet passed over) gives the pages of formats.csv, its export.
"$CLI" print "$LABEL" --data "$SHEETS/formats.csv" --output "$T/fcsv.pdf" --paper Letter --quiet >/dev/null 2>&1
"$CLI" print "$LABEL" --data "$SHEETS/formats.xlsx" --output "$T/fxlsx.pdf" --paper Letter --quiet >/dev/null 2>&1
pages "$T/fcsv.pdf" "$T/fcsv"
pages "$T/fxlsx.pdf" "$T/fxlsx"
for p in "$T"/fcsv-*.pgm; do
  cmp -s "$p" "${p/fcsv/fxlsx}" || fail "formats.xlsx: page ${p##*-} differs from formats.csv's"
done
[ -e "$T/fcsv-1.pgm" ] || fail "formats.csv printed no page"

# A 1 GiB cell and a 1 GiB shared string in a workbook of about 2 MB print in
# the memory of a small one (the cells cut to what a label can show).
if [ -x /usr/bin/time ]; then
  python3 - "$T/huge.xlsx" <<'PY'
import sys, zipfile
ns = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("_rels/.rels", f'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               f'<Relationship Id="r" Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    z.writestr("xl/workbook.xml", f'<workbook {ns} xmlns:r="{rel}"><sheets><sheet name="S" sheetId="1" r:id="s"/>'
               '</sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/'
               f'2006/relationships"><Relationship Id="s" Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/>'
               f'<Relationship Id="t" Type="{rel}/sharedStrings" Target="sharedStrings.xml"/></Relationships>')
    chunk = b"A" * (1 << 20)
    with z.open("xl/sharedStrings.xml", "w", force_zip64=True) as f:
        f.write(f'<sst {ns}><si><t>'.encode())
        for _ in range((1 << 30) // len(chunk)):
            f.write(chunk)
        f.write(b"</t></si></sst>")
    with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as f:
        f.write(f'<worksheet {ns}><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>sku</t></is></c></row>'
                '<row r="2"><c r="A2" t="inlineStr"><is><t>'.encode())
        for _ in range((1 << 30) // len(chunk)):
            f.write(chunk)
        f.write(b'</t></is></c><c r="B2" t="s"><v>0</v></c></row></sheetData></worksheet>')
PY
  /usr/bin/time -f %M -o "$T/rss" "$CLI" print "$LABEL" --data "$T/huge.xlsx" --output "$T/huge.pdf" \
    --paper Letter --quiet || fail "huge cell: print exited with $?"
  rss=$(tail -1 "$T/rss")
  [ "${rss:-999999999}" -lt 400000 ] || fail "huge cell: the print took ${rss} KiB"
  [ -s "$T/huge.pdf" ] || fail "huge cell: no PDF"
  echo "huge cell: $(stat -c %s "$T/huge.xlsx") bytes of workbook, ${rss} KiB at most"
fi

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
