#!/usr/bin/env bash
# Every caption of the windows has its English translation: lupdate, run over
# the code as scripts/update-translations.sh runs it, finds no text missing
# from quorvane_en.ts and none left unfinished.
set -euo pipefail
SRC="${QV_SOURCE_DIR:-$(dirname "$0")/../..}"
LUPDATE=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
[ -x "$LUPDATE" ] || { echo "SKIP: lupdate is not installed"; exit 77; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/scripts" "$WORK/resources/translations"
cp "$SRC/scripts/update-translations.sh" "$WORK/scripts/"
cp "$SRC/resources/translations/quorvane_en.ts" "$WORK/resources/translations/"
ln -s "$(cd "$SRC" && pwd)/src" "$WORK/src"
LUPDATE="$LUPDATE" bash "$WORK/scripts/update-translations.sh"

ts="$WORK/resources/translations/quorvane_en.ts"
if grep -q 'type="unfinished"' "$ts"; then
  echo "FAIL: texts without an English translation (run scripts/update-translations.sh and translate them):"
  grep -B2 'type="unfinished"' "$ts" | grep '<source>' | head -20
  exit 1
fi
cmp -s "$ts" "$SRC/resources/translations/quorvane_en.ts" \
  || { echo "FAIL: quorvane_en.ts is out of date; run scripts/update-translations.sh"; exit 1; }
echo "PASS"
