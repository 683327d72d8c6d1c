#!/usr/bin/env bash
# Brings the catalogues in resources/translations up to date with the code:
# texts new in the code are added as unfinished (to be translated with Qt
# Linguist or by hand), translations already made are kept, texts gone from
# the code are dropped; then the translations waiting in
# resources/translations/pending/*.tsv are filled in
# (scripts/fold-pending-translations.py). The captions of the windows are
# written in Chinese, the messages of the layers below them in English: both
# catalogues hold every text. Running it twice changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
for ts in resources/translations/quorvane_*.ts; do
  "$LUPDATE" -silent -no-obsolete -locations none -I src -source-language zh_CN \
    -target-language "$(basename "$ts" .ts | sed 's/^quorvane_//')" \
    src/app src/canvas src/cli src/model src/barcode src/picture src/storage src/data src/printing src/render src/server -ts "$ts"
done
python3 scripts/fold-pending-translations.py
