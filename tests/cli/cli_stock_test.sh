#!/usr/bin/env bash
# Printing by a maker's sheet: quorvane-cli print --stock on three common
# sheets (3 x 10 US Letter address, 3 x 7 A4 address, 2 x 5 US Letter
# shipping), a label that is one filled rectangle, rasterised; each label's
# ink must lie where the maker's drawing puts it, within two pixels at 300 DPI.
# Also the templates listing, an equivalent's code, and an unknown name.
set -uo pipefail

CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen
for tool in pdftoppm pdfinfo python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }
[ -d /usr/share/libglabels-3.0/templates ] ||
  { echo "FAIL: glabels-data is not installed (scripts/deps.sh installs it)"; exit 1; }

T=$(mktemp -d)
trap 'rm -rf "$T" "$XDG_RUNTIME_DIR"' EXIT
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A black rectangle filling a label of W x H inches; the file's margins and
# gaps are nought, so where the labels land is the sheet's doing.
write_label() { # file width height
  cat >"$1" <<LBL
[FORMAT]
WIDTH=$2
HEIGHT=$3
TOPMARGIN=0
LEFTMARGIN=0
GAPHEIGHT=0
GAPWIDTH=0
METRIC=0
SHOWGRID=0
CONTROLS=1

[CNT_1]
TYPE=SHAPE
SHAPEFORMAT=0
PEN_WIDTH=0
PEN_COLOR=0
BRUSH_STYLE=0
BRUSH_COLOR=0
TOP=0
LEFT=0
WIDTH=$2
HEIGHT=$3
AUTOSIZE=0
TRANSPARENT=0
ROTATE=0
LBL
}

# name | label w h (in) | paper w h (in) | x0 y0 pitch-x pitch-y (in) | columns rows
# The drawings: 5160 family (Worldlabel WL-875), L7160 family in millimetres
# (Endisch 6406338x) and in points (Avery J8160, the library's equivalent of 7160),
# 4 x 2 in shipping (Online Labels OL125).
while IFS='|' read -r name w h pw ph x0 y0 dx dy nx ny; do
  [ -z "$name" ] && continue
  write_label "$T/l.lbl" "$w" "$h"
  pdf="$T/out.pdf"
  rm -f "$pdf"
  if ! "$CLI" print "$T/l.lbl" --stock "$name" --pages 1 --dpi 600 --output "$pdf" --quiet 2>"$T/err"; then
    fail "$name: print failed: $(cat "$T/err")"
    continue
  fi
  size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')
  python3 - "$size" "$pw" "$ph" <<'PY' || fail "$name: paper is $size pt"
import sys
w, h = map(float, sys.argv[1].split())
sys.exit(0 if abs(w - float(sys.argv[2]) * 72) < 0.5 and abs(h - float(sys.argv[3]) * 72) < 0.5 else 1)
PY
  pdftoppm -r 300 -gray "$pdf" "$T/page" && mv "$T"/page*.pgm "$T/page.pgm" 2>/dev/null
  python3 - "$T/page.pgm" "$w" "$h" "$x0" "$y0" "$dx" "$dy" "$nx" "$ny" <<'PY' || fail "$name: labels misplaced"
import sys
path = sys.argv[1]
w, h, x0, y0, dx, dy = (float(v) * 300 for v in sys.argv[2:8])
nx, ny = int(sys.argv[8]), int(sys.argv[9])
data = open(path, 'rb').read()
# binary PGM: P5 width height maxval, then one byte a pixel
parts = data.split(maxsplit=4)
W, H = int(parts[1]), int(parts[2])
pix = parts[4]
def dark(x, y):
    return pix[y * W + x] < 128
def runs(cells):
    out, start = [], None
    for i, d in enumerate(cells):
        if d and start is None:
            start = i
        if not d and start is not None:
            out.append((start, i)); start = None
    if start is not None:
        out.append((start, len(cells)))
    return out
bad = []
# Across the middle of every row of labels, and down the middle of every column.
for r in range(ny):
    y = int(y0 + r * dy + h / 2)
    got = runs([dark(x, y) for x in range(W)])
    want = [(x0 + c * dx, x0 + c * dx + w) for c in range(nx)]
    if dx - w < 1:  # touching labels make one run
        want = [(want[0][0], want[-1][1])]
    if len(got) != len(want) or any(abs(a - c) > 2 or abs(b - d) > 2 for (a, b), (c, d) in zip(got, want)):
        bad.append(f"row {r}: ink {got}, drawing {[(round(a, 1), round(b, 1)) for a, b in want]}")
for c in range(nx):
    x = int(x0 + c * dx + w / 2)
    got = runs([dark(x, y) for y in range(H)])
    want = [(y0 + r * dy, y0 + r * dy + h) for r in range(ny)]
    if dy - h < 1:
        want = [(want[0][0], want[-1][1])]
    if len(got) != len(want) or any(abs(a - c2) > 2 or abs(b - d) > 2 for (a, b), (c2, d) in zip(got, want)):
        bad.append(f"column {c}: ink {got}, drawing {[(round(a, 1), round(b, 1)) for a, b in want]}")
for b in bad:
    print(b)
sys.exit(1 if bad else 0)
PY
  rm -f "$T"/page*.pgm
done <<'ROWS'
Worldlabel WL-875|2.625|1|8.5|11|0.1875|0.5|2.75|1|3|10
Endisch 6406338x|2.5|1.5|8.26771653543|11.6929133858|0.283858267717|0.596456692913|2.6|1.5|3|7
Avery J8160|2.51944444444|1.5|8.26771653543|11.6929133858|0.294444444444|0.609722222222|2.6|1.5|3|7
Online Labels OL125|4|2|8.5|11|0.18|0.5|4.14|2|2|5
ROWS

# A sheet whose paper has room for one more row than it has (Avery 5167: 4 x 20
# under a 0.5 in top margin) prints only its own 80 a page: 81 labels take two
# pages, 80 and 1. The rectangle is inset so that touching labels stay apart.
write_label "$T/l.lbl" 1.75 0.5
sed -i '/^\[CNT_1\]/,$ {s/^TOP=0$/TOP=0.1/; s/^LEFT=0$/LEFT=0.1/; s/^WIDTH=.*/WIDTH=1.5/; s/^HEIGHT=.*/HEIGHT=0.3/}' "$T/l.lbl"
if "$CLI" print "$T/l.lbl" --stock "Avery 5167" --labels 81 --output "$T/5167.pdf" --quiet 2>"$T/err"; then
  pdftoppm -r 50 -gray "$T/5167.pdf" "$T/p5167"
  counts=$(for page in "$T"/p5167*.pgm; do
    python3 - "$page" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
parts = data.split(maxsplit=4)
W, H, pix = int(parts[1]), int(parts[2]), parts[4]
n = 0
for c in range(4):  # down the middle of each column of the drawing
    x = int((0.28125 + c * 2.0625 + 0.875) * 50)
    col = [pix[y * W + x] < 128 for y in range(H)]
    n += sum(1 for y in range(H) if col[y] and (y == 0 or not col[y - 1]))
print(n)
PY
  done | tr '\n' ' ')
  [ "$counts" = "80 1 " ] || fail "Avery 5167, 81 labels: labels a page are '$counts', not '80 1 '"
  rm -f "$T"/p5167*.pgm
else
  fail "Avery 5167: print failed: $(cat "$T/err")"
fi

# Positions by the drawing (mm): the ink of a label that fills its place must
# lie at each, within two pixels at 300 DPI, and nowhere else on the page.
check_positions() { # pdf label-w label-h "x,y x,y ..."
  pdftoppm -r 300 -gray -singlefile "$1" "$T/pos"
  python3 - "$T/pos.pgm" "$2" "$3" "$4" <<'PY'
import sys
parts = open(sys.argv[1], 'rb').read().split(maxsplit=4)
W, H, pix = int(parts[1]), int(parts[2]), parts[4]
w, h = float(sys.argv[2]), float(sys.argv[3])
px = lambda mm: mm / 25.4 * 300
dark = lambda x, y: pix[y * W + x] < 128
bad = []
for x0, y0 in (tuple(map(float, p.split(','))) for p in sys.argv[4].split()):
    cx, cy = int(px(x0 + w / 2)), int(px(y0 + h / 2))
    l, r, t, b = cx, cx, cy, cy
    while l > 0 and dark(l - 1, cy): l -= 1
    while r < W - 1 and dark(r + 1, cy): r += 1
    while t > 0 and dark(cx, t - 1): t -= 1
    while b < H - 1 and dark(cx, b + 1): b += 1
    want = (px(x0), px(x0 + w), px(y0), px(y0 + h))
    if not dark(cx, cy) or any(abs(g - d) > 2 for g, d in zip((l, r + 1, t, b + 1), want)):
        bad.append(f"label at {x0},{y0} mm: ink {(l, r + 1, t, b + 1)}, drawing {tuple(round(v, 1) for v in want)}")
ink = sum(pix.count(bytes([v])) for v in range(128))
area = len(sys.argv[4].split()) * px(w) * px(h)
if abs(ink - area) > 0.02 * area:
    bad.append(f"{ink} px of ink where the labels make {round(area)}")
print('\n'.join(bad))
sys.exit(1 if bad else 0)
PY
}
# A sheet of three layouts (JAC 987349-2, 70 x 34 mm: 1 x 2 top right, 1 x 2
# bottom right, one on the left) fills all five; --first counts layout by
# layout, so --first 5 is the left one. --first 5 on a 3 x 10 sheet leaves
# 1-4 empty. A number past the page's positions is refused.
write_label "$T/l.lbl" 2.755905511811 1.338582677165
while IFS='|' read -r name args w h want; do
  if "$CLI" print "$T/l.lbl" --stock "$name" $args --output "$T/pos.pdf" --quiet 2>"$T/err"; then
    check_positions "$T/pos.pdf" "$w" "$h" "$want" || fail "$name $args: labels misplaced"
  else
    fail "$name $args: print failed: $(cat "$T/err")"
  fi
done <<'ROWS'
JAC 987349-2|--labels 5|70|34|133.5,5.5 133.5,44.5 133,216.5 133,255.5 5.5,130
JAC 987349-2|--first 5 --labels 1|70|34|5.5,130
ROWS
write_label "$T/l.lbl" 2.625 1
"$CLI" print "$T/l.lbl" --stock "Avery 5160" --first 5 --labels 3 --output "$T/pos.pdf" --quiet 2>"$T/err" &&
  check_positions "$T/pos.pdf" 66.675 25.4 "74.6125,38.1 145.25625,38.1 3.96875,63.5" ||
  fail "Avery 5160 --first 5: $(cat "$T/err")"
"$CLI" print "$T/l.lbl" --stock "Avery 5160" --first 31 --output "$T/x.pdf" 2>"$T/err"
status=$?
[ "$status" = 2 ] || fail "--first 31 exited $status"
grep -q 'from 1 to 30, the labels on a page: not 31' "$T/err" || fail "--first 31: $(cat "$T/err")"

# --paper still wins over the sheet's own paper.
write_label "$T/l.lbl" 2.625 1
"$CLI" print "$T/l.lbl" --stock "Avery 5160" --paper A4 --output "$T/a4.pdf" --quiet 2>"$T/err" ||
  fail "--paper with --stock: $(cat "$T/err")"
pdfinfo "$T/a4.pdf" 2>/dev/null | grep -q '595.* x 841.* pts' || fail "--paper A4 did not give A4"
# A sheet the paper cannot hold whole prints what fits and names what is lost.
for row in "Avery 5160|A4|the paper holds 2 of the sheet's 3 columns: column 3 is not printed" \
           "Avery L7160|Letter|the paper holds 6 of the sheet's 7 rows: row 7 is not printed" \
           "Avery L7160|A4|"; do
  IFS='|' read -r name paper want <<<"$row"
  "$CLI" print "$T/l.lbl" --stock "$name" --paper "$paper" --output "$T/lost.pdf" --quiet 2>"$T/err" ||
    fail "$name on $paper: status $?"
  if [ -n "$want" ]; then
    grep -qF "warning: $want" "$T/err" || fail "$name on $paper: stderr '$(cat "$T/err")'"
  else
    [ ! -s "$T/err" ] || fail "$name on $paper: stderr '$(cat "$T/err")'"
  fi
done

# The listing: built-in and installed sheets, a search, equivalents.
"$CLI" templates >"$T/all" || fail "templates exited $?"
[ "$(wc -l <"$T/all")" -gt 1000 ] || fail "templates lists only $(wc -l <"$T/all") sheets"
grep -qx 'Avery 5160, 2.625x1 in, 3x10, US Letter' "$T/all" || fail "no Avery 5160 line: $(grep '5160,' "$T/all")"
"$CLI" templates --search "j8160" >"$T/found" || fail "templates --search exited $?"
grep -qx 'Avery J8160, 2.5194x1.5 in, 3x7, A4 (= 7160)' "$T/found" || fail "search: $(cat "$T/found")"
# Where both describe a product the library's drawing is used; a built-in
# sheet the library lacks says so.
grep -qx 'Avery L7163, 3.9014x1.5 in, 2x7, A4 (= 7163)' "$T/all" || fail "L7163: $(grep 'L7163,' "$T/all")"
grep -qx 'Avery L7159, 63.5x33.9 mm, 3x8, A4 \[built-in\]' "$T/all" || fail "L7159: $(grep 'L7159,' "$T/all")"
grep -qx 'JAC 987349-2, 70x34 mm, 1x2+1x2+1x1, A4' "$T/all" || fail "JAC 987349-2: $(grep '987349-2' "$T/all")"

# An unknown name names the nearest ones; a sheet that does not map says why.
"$CLI" print "$T/l.lbl" --stock "avery 5l60" --output "$T/x.pdf" 2>"$T/err"
status=$?
[ "$status" = 2 ] || fail "unknown stock exited $status"
grep -q 'unknown label sheet avery 5l60; nearest: .*Avery 5160' "$T/err" || fail "unknown stock: $(cat "$T/err")"
"$CLI" print "$T/l.lbl" --stock "Avery 8676" --output "$T/x.pdf" 2>"$T/err" && fail "a CD sheet printed"
grep -q 'cannot be used: cd labels' "$T/err" || fail "CD sheet: $(cat "$T/err")"
[ -e "$T/x.pdf" ] && fail "a refused job left a PDF"

# In Chinese (--lang zh, or a zh locale): the kinds are searched in Chinese,
# and the messages, the catalogue's notes among them, speak it.
"$CLI" --lang zh templates --search "地址 5160" >"$T/zh" || fail "templates --search 地址 exited $?"
grep -q '^Avery 5160,' "$T/zh" || fail "地址 does not find Avery 5160: $(head -3 "$T/zh")"
"$CLI" --lang zh print "$T/l.lbl" --stock "Avery 8676" --output "$T/x.pdf" 2>"$T/err"
grep -q '标签纸 Avery 8676 不能使用：cd 形标签不能对应行列网格' "$T/err" || fail "zh CD sheet: $(cat "$T/err")"
LC_ALL= LC_MESSAGES= LANG=zh_CN.UTF-8 "$CLI" print "$T/l.lbl" --stock "avery 5l60" --output "$T/x.pdf" 2>"$T/err"
grep -q '未知标签纸 avery 5l60' "$T/err" || fail "LANG=zh_CN: $(cat "$T/err")"
"$CLI" --lang fr templates 2>"$T/err" && fail "--lang fr was taken"

[ "$failures" = 0 ] && echo "cli_stock: all passed"
exit $((failures > 0))
