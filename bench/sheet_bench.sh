#!/usr/bin/env bash
# Print throughput and peak memory from spreadsheets beside their CSV twin:
# the label of print_bench.sh (Code 128 of the SKU, a text of two merged
# columns, a static text; 24 a Letter page), N records to a PDF at 600 DPI.
# The .xlsx (shared strings, as spreadsheet programs write them) and the .ods
# are generated here by Python's zipfile, streamed, never committed.
#   bench/sheet_bench.sh [BUILD_DIR] [N ...]     (default: build 1000 100000)
set -euo pipefail
BUILD="${1:-build}"
shift || true
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(1000 100000)
CLI="$BUILD/quorvane-cli"
[ -x "$CLI" ] || { echo "build quorvane-cli first: ninja -C $BUILD quorvane-cli" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (package time)" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is needed to write the workbooks" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export XDG_RUNTIME_DIR="$W"

# The label of print_bench.sh.
sed -n "/^cat >\"\$W\/bench.lbl\" <<'LBL'$/,/^LBL$/p" "$(dirname "$0")/print_bench.sh" | sed '1d;$d' >"$W/bench.lbl"
grep -q '^\[CNT_3\]' "$W/bench.lbl" || { echo "cannot take the label from print_bench.sh" >&2; exit 2; }

write_books() { # n folder
  python3 - "$1" "$2" <<'PY'
import sys, zipfile
n, out = int(sys.argv[1]), sys.argv[2]
rec = lambda i: (f"SKU-{i:07d}", f"Item {i}", f"{(i % 50) * 10} ml")
with open(f"{out}/data.csv", "w") as f:
    f.write("sku,name,size\n")
    for i in range(1, n + 1):
        f.write(",".join(rec(i)) + "\n")
X = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
P = "http://schemas.openxmlformats.org/package/2006/relationships"
with zipfile.ZipFile(f"{out}/data.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("_rels/.rels", f'<Relationships xmlns="{P}"><Relationship Id="r1" Type="{R}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    z.writestr("xl/workbook.xml", f'<workbook xmlns="{X}" xmlns:r="{R}"><sheets><sheet name="Data" sheetId="1" r:id="s1"/></sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{P}"><Relationship Id="s1" Type="{R}/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="s2" Type="{R}/sharedStrings" Target="sharedStrings.xml"/></Relationships>')
    with z.open("xl/sharedStrings.xml", "w") as f:
        f.write(f'<sst xmlns="{X}">'.encode())
        for i in range(0, n + 1):
            cells = ("sku", "name", "size") if i == 0 else rec(i)
            f.write("".join(f"<si><t>{c}</t></si>" for c in cells).encode())
        f.write(b"</sst>")
    with z.open("xl/worksheets/sheet1.xml", "w") as f:
        f.write(f'<worksheet xmlns="{X}"><dimension ref="A1:C{n + 1}"/><sheetData>'.encode())
        for i in range(0, n + 1):
            r = i + 1
            f.write(f'<row r="{r}"><c r="A{r}" t="s"><v>{3 * i}</v></c><c r="B{r}" t="s"><v>{3 * i + 1}</v></c><c r="C{r}" t="s"><v>{3 * i + 2}</v></c></row>'.encode())
        f.write(b"</sheetData></worksheet>")
T = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
with zipfile.ZipFile(f"{out}/data.ods", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
    with z.open("content.xml", "w") as f:
        f.write(f'<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="{T}" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table table:name="Data">'.encode())
        for i in range(0, n + 1):
            cells = ("sku", "name", "size") if i == 0 else rec(i)
            f.write(("<table:table-row>" + "".join(f'<table:table-cell office:value-type="string"><text:p>{c}</text:p></table:table-cell>' for c in cells) + "</table:table-row>").encode())
        f.write(b'<table:table-row table:number-rows-repeated="1048000"><table:table-cell table:number-columns-repeated="1024"/></table:table-row></table:table></office:spreadsheet></office:body></office:document-content>')
PY
}

printf '| source | records | wall s | CPU s | labels/s (wall) | labels/s (CPU) | peak RSS (MB) | file (MB) |\n'
printf '|---|---:|---:|---:|---:|---:|---:|---:|\n'
for n in "${COUNTS[@]}"; do
  write_books "$n" "$W"
  for kind in csv xlsx ods; do
    /usr/bin/time -v "$CLI" print "$W/bench.lbl" --data "$W/data.$kind" --output "$W/out.pdf" --paper Letter \
      --dpi 600 --quiet 2>"$W/time.txt" || { cat "$W/time.txt" >&2; exit 1; }
    secs=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$W/time.txt")
    cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$W/time.txt")
    rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$W/time.txt")
    size=$(stat -c %s "$W/data.$kind" | awk '{ printf "%.1f", $1 / 1048576 }')
    rate=$(awk -v n="$n" -v s="$secs" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
    crate=$(awk -v n="$n" -v s="$cpu" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
    printf '| %s | %d | %s | %s | %s | %s | %s | %s |\n' "$kind" "$n" "$secs" "$cpu" "$rate" "$crate" "$rss" "$size"
  done
done
