#!/usr/bin/env bash
# Brings the translations in resources/translations up to date with the
# captions of the windows: texts new in the code are added as unfinished (to
# be translated with Qt Linguist or by hand), translations already made are
# kept, texts gone from the code are dropped. Running it twice changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
for ts in resources/translations/quorvane_*.ts; do
  "$LUPDATE" -silent -no-obsolete -locations none -I src -source-language zh_CN \
    -target-language "$(basename "$ts" .ts | sed 's/^quorvane_//')" src/app src/canvas -ts "$ts"
done
