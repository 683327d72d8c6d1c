#!/usr/bin/env bash
# The command line with bad arguments and bad files: each case must end with
# the status its man page promises (2 bad arguments or files, 1 other failure,
# 3 labels printed without a picture) and a message naming what was wrong, in
# bounded time.
set -uo pipefail
: "${QV_SOURCE_DIR:?}" "${QV_BINARY_DIR:?}"
cli="$QV_BINARY_DIR/quorvane-cli"
[ -x "$cli" ] || { echo "FAIL: $cli not built"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '[FORMAT]\r\nWIDTH=2\r\nHEIGHT=1\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nTEXT=x\r\nADVANCED=1\r\nADV_COUNT=1\r\nADVTYPE_1=FIELD\r\nADVNUM_1=1\r\n' > label.lbl
printf '[FORMAT]\r\nWIDTH=10000\r\nHEIGHT=10000\r\n' > huge.lbl
printf 'h\r\na\r\n' > data.csv
mkdir folder.csv folder.lbl
echo x > afile
printf 'x=1\r\n' > notes.lbl
printf '[FORMAT]\r\n' > big.lbl && truncate -s 65M big.lbl
printf '\x89PNG\r\n\x1a\n' > pic.png
for p in pic.png gone.bmp; do
  printf '[FORMAT]\r\nWIDTH=2\r\nHEIGHT=1\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=GRAPHIC\r\nIMG_NAME=%s\r\n' "$p" > "$p.lbl"
done
# Spools of a dead job and of a running one, in a temporary folder of our own.
mkdir tmp
sh -c 'echo $$ > dead.pid'
dead=$(cat dead.pid)
touch "tmp/quorvane-$dead-AbCdEf.spool" "tmp/quorvane-$$-AbCdEf.spool"
cp "$QV_SOURCE_DIR/tests/bad-input/topmargin-minus-100.lbl" offpage.lbl

failures=0
# expect STATUS MESSAGE-PART -- ARGS...
expect() {
  local status=$1 part=$2
  shift 3
  local out rc
  out=$(timeout 120 "$cli" "$@" 2>&1)
  rc=$?
  if [ "$rc" -ne "$status" ] || ! grep -qF -- "$part" <<<"$out"; then
    echo "FAIL: quorvane-cli $* -> status $rc (want $status), output: ${out:0:300} (want: $part)"
    failures=$((failures + 1))
  fi
}

expect 2 "Usage" --
expect 2 "unknown command 'frobnicate'" -- frobnicate
expect 2 "unknown option --frob" -- print label.lbl --frob
expect 2 "no such label file: missing.lbl" -- print missing.lbl --output o.pdf
expect 2 "not a label file: folder.lbl" -- render folder.lbl --output o.png
expect 2 "not a label file" -- render /dev/zero --output o.png
expect 2 "render: notes.lbl is not a label file: it has no FORMAT section." -- render notes.lbl --output o.png
expect 2 "--copies must be a whole number from 1 to 1000000: -5" -- print label.lbl --copies -5 --output o.pdf
expect 2 "--copies must be a whole number from 1 to 1000000: 0" -- print label.lbl --copies 0 --output o.pdf
expect 2 "99999999999999999999" -- print label.lbl --copies 99999999999999999999 --output o.pdf
expect 2 "--fixed takes widths of at least 1" -- print label.lbl --data data.csv --fixed 0,abc --output o.pdf
expect 2 "--pages must be a whole number of at least 1: x" -- print label.lbl --pages x --output o.pdf
expect 2 "--dpi must be from 72 to 4800: 99999" -- print label.lbl --output o.pdf --dpi 99999
expect 2 "not a data file: folder.csv" -- print label.lbl --data folder.csv --output o.pdf
expect 2 "not a data file: /dev/zero" -- print label.lbl --data /dev/zero --output o.pdf
expect 2 "no such data file: gone.csv" -- print label.lbl --data gone.csv --output o.pdf
expect 2 "cannot write afile/o.png: Not a directory" -- render label.lbl --output afile/o.png
expect 2 "Cannot write \"afile/o.pdf\": Not a directory" -- print label.lbl --data data.csv --output afile/o.pdf
expect 2 "the label is too large to render (960000 x 960000 pixels): huge.lbl" -- render huge.lbl --output huge.png
expect 2 "big.lbl is larger than 64 MiB: not opened" -- print big.lbl --output o.pdf
expect 3 "no picture: $work/pic.png cannot be read" -- print pic.png.lbl --output pic.pdf
expect 3 "Unable to locate Graphic file" -- print gone.bmp.lbl --output gone.pdf
TMPDIR=$work/tmp expect 0 "" -- print label.lbl --quiet --output o.pdf
[ ! -e "tmp/quorvane-$dead-AbCdEf.spool" ] && [ -e "tmp/quorvane-$$-AbCdEf.spool" ] \
  || { echo "FAIL: the spool of the dead job is left, or the running one's is gone: $(ls tmp)"; failures=$((failures + 1)); }
# A margin off the paper is read as 0 with a warning, and the job prints.
expect 0 "offpage.lbl: TOPMARGIN=-100 would place labels outside the page; read as 0." -- print offpage.lbl --output offpage.pdf
[ -s offpage.pdf ] || { echo "FAIL: offpage.pdf not written"; failures=$((failures + 1)); }
[ ! -e afile/o.png ] && [ ! -e huge.png ] || { echo "FAIL: a failed command left a file"; failures=$((failures + 1)); }

if [ "$failures" -gt 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all command-line cases passed"
