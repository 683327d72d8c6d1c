#!/usr/bin/env bash
# Every text has both translations: lupdate, run over the code as
# scripts/update-translations.sh runs it, finds no text missing from
# quorvane_en.ts or quorvane_zh_CN.ts and none left unfinished, and no Chinese
# caption passed to the English catalogue as it is. The translations other
# branches leave in resources/translations/pending fold into both catalogues.
set -euo pipefail
SRC="${QV_SOURCE_DIR:-$(dirname "$0")/../..}"
LUPDATE=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
[ -x "$LUPDATE" ] || { echo "SKIP: lupdate is not installed"; exit 77; }
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/scripts" "$WORK/resources/translations"
cp "$SRC/scripts/update-translations.sh" "$SRC/scripts/fold-pending-translations.py" "$WORK/scripts/"
cp "$SRC"/resources/translations/quorvane_*.ts "$WORK/resources/translations/"
if [ -d "$SRC/resources/translations/pending" ]; then
  cp -r "$SRC/resources/translations/pending" "$WORK/resources/translations/"
fi
ln -s "$(cd "$SRC" && pwd)/src" "$WORK/src"
LUPDATE="$LUPDATE" bash "$WORK/scripts/update-translations.sh"

status=0
for ts in "$WORK"/resources/translations/quorvane_{en,zh_CN}.ts; do
  if grep -q 'type="unfinished"' "$ts"; then
    echo "FAIL: texts without a translation in $(basename "$ts") (run scripts/update-translations.sh and translate them):"
    grep -B2 'type="unfinished"' "$ts" | grep '<source>' | head -20
    status=1
  fi
  cmp -s "$ts" "$SRC/resources/translations/$(basename "$ts")" \
    || { echo "FAIL: $(basename "$ts") is out of date; run scripts/update-translations.sh"; status=1; }
done
python3 - "$WORK/resources/translations/quorvane_en.ts" <<'PY' || status=1
import re, sys, xml.etree.ElementTree as ET
bad = [m.findtext("source") for m in ET.parse(sys.argv[1]).iter("message")
       if re.search(r"[\u4e00-\u9fff]", m.findtext("source") or "") and m.findtext("translation") == m.findtext("source")]
for s in bad[:20]:
    print("FAIL: no English for", repr(s))
sys.exit(1 if bad else 0)
PY

# The fold: a line whose message is in the code fills both catalogues and its
# file goes; a file with a line that matches nothing stays, and says so.
FOLD="$WORK/fold"
mkdir -p "$FOLD/resources/translations/pending"
cp "$SRC"/resources/translations/quorvane_{en,zh_CN}.ts "$FOLD/resources/translations/"
printf 'Printing\tThe printer cannot be used.\tThe printer cannot be used!\t打印机不能用！\n' \
  > "$FOLD/resources/translations/pending/a.tsv"
printf 'Printing\tNo such text in the code\tx\t无\\n二\n' > "$FOLD/resources/translations/pending/b.tsv"
if python3 "$SRC/scripts/fold-pending-translations.py" "$FOLD" 2>"$FOLD/err"; then
  echo "FAIL: the fold reported success with a line that matches nothing"; status=1
fi
grep -q 'No such text in the code' "$FOLD/err" || { echo "FAIL: the fold did not name the line"; status=1; }
[ ! -e "$FOLD/resources/translations/pending/a.tsv" ] || { echo "FAIL: a folded file was kept"; status=1; }
[ -e "$FOLD/resources/translations/pending/b.tsv" ] || { echo "FAIL: a file with an unmatched line was deleted"; status=1; }
grep -q '<translation>The printer cannot be used!</translation>' "$FOLD/resources/translations/quorvane_en.ts" \
  || { echo "FAIL: English not folded"; status=1; }
grep -q '<translation>打印机不能用！</translation>' "$FOLD/resources/translations/quorvane_zh_CN.ts" \
  || { echo "FAIL: Chinese not folded"; status=1; }

[ "$status" = 0 ] && echo "PASS"
exit "$status"
