#!/bin/bash
# The barcode command as a person runs it: patterns, images a scanner reads,
# and one-line refusals of bad arguments.
set -u
cli="${QV_BINARY_DIR:?}/quorvane-cli"
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt warns on stderr without a runtime folder; the refusals below must be alone there.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Patterns: Code 128 1234 is START C, 12, 34, check 82, STOP.
expect_pattern() {
    local got
    got=$("$cli" barcode --type "$1" --text "$2" --pattern 2>/dev/null)
    [ "$got" = "$3" ] || fail "pattern of $1 '$2': got '$got', wanted '$3'"
}
expect_pattern 0 1234 "110100111001011001110010001011000100100111101100011101011"
expect_pattern postnet 0 "F0F0F0H0H0H0F0F0H0H0H0F"
# "7" is drawn as 07; 7 mod 4 = 3 puts both digits in set B.
expect_pattern upc2 7 "10110100111010010001"

# Images: exactly the box, and readable.
"$cli" barcode --type code128 --text "Quorvane 42" --module 2 --height 60 --output "$work/a.png" || fail "png exit $?"
size=$(identify -format '%wx%h' "$work/a.png" 2>/dev/null)
[ -z "$size" ] || [ "$size" = "$(( (14 * 11 + 22) * 2 ))x60" ] || fail "png size $size"
if command -v zbarimg >/dev/null; then
    convert "$work/a.png" -background white -flatten -bordercolor white -border 20 "$work/a2.png" 2>/dev/null ||
        cp "$work/a.png" "$work/a2.png"
    read=$(zbarimg -q --raw "$work/a2.png" 2>/dev/null)
    [ "$read" = "Quorvane 42" ] || fail "zbarimg read '$read'"
    "$cli" barcode --type ean13 --text 400638133393 --module 2 --height 80 --rotation 1 --output "$work/e.png"
    convert "$work/e.png" -background white -flatten -bordercolor white -border 20 "$work/e2.png" 2>/dev/null ||
        cp "$work/e.png" "$work/e2.png"
    read=$(zbarimg -q "$work/e2.png" 2>/dev/null)
    [ "$read" = "EAN-13:4006381333931" ] || fail "zbarimg read '$read' from the turned EAN-13"
fi
"$cli" barcode --type upca --text 12345 --rotation 3 --output "$work/u.pdf" || fail "pdf exit $?"
head -c 5 "$work/u.pdf" | grep -q '%PDF-' || fail "no PDF written"

# PNG is 1-bit (colour type 0 grey or 3 palette), 8-bit grey at most; only a
# transparent background takes colour with alpha (6).
png_kind() { od -An -tu1 -j24 -N2 "$1" | tr -s ' ' | sed 's/^ //'; }
"$cli" barcode --type qr --text Quorvane --module 2 --output "$work/q.png" || fail "qr png exit $?"
"$cli" barcode --type 0 --text 1234 --transparent --output "$work/t.png" || fail "transparent png exit $?"
for f in a q; do
    case "$(png_kind "$work/$f.png")" in "1 0" | "1 3" | "8 0") ;; *) fail "$f.png is $(png_kind "$work/$f.png")" ;; esac
done
[ "$(png_kind "$work/t.png")" = "8 6" ] || fail "transparent png is $(png_kind "$work/t.png")"

# SVG: well-formed, exact rectangles, and read back once rasterised.
for case in "qr|Quorvane 条形码 42" "code128|Quorvane 42"; do
    type=${case%%|*} text=${case#*|}
    "$cli" barcode --type "$type" --text "$text" --module 3 --output "$work/s.svg" || fail "$type svg exit $?"
    xmllint --noout "$work/s.svg" 2>/dev/null || fail "$type svg is not well-formed"
    if command -v zbarimg >/dev/null && rsvg-convert "$work/s.svg" -o "$work/s.png" 2>/dev/null; then
        convert "$work/s.png" -background white -flatten -bordercolor white -border 20 "$work/s2.png" 2>/dev/null
        read=$(zbarimg -q --raw "$work/s2.png" 2>/dev/null)
        [ "$read" = "$text" ] || fail "$type svg read '$read'"
    fi
done

# Batch: a line that cannot be drawn is reported by number, the rest are written.
mkdir "$work/batch"
huge=$(printf 'a%.0s' $(seq 1 3000))  # QR Code holds 2331 bytes at level M
printf 'first\n%s\r\nthird\n' "$huge" >"$work/lines.txt"
err=$("$cli" barcode --type qr --module 2 --batch "$work/lines.txt" --output "$work/batch/%03d.png" 2>&1)
rc=$?
[ $rc -eq 3 ] || fail "batch with a bad line exited $rc, wanted 3"
[ "$(ls "$work/batch" | tr '\n' ' ')" = "001.png 003.png " ] || fail "batch wrote: $(ls "$work/batch")"
[ "$err" = "quorvane-cli barcode: line 2: Data too long for QR Code" ] || fail "batch said: $err"
if command -v zbarimg >/dev/null; then
    read=$(zbarimg -q --raw "$work/batch/003.png" 2>/dev/null)
    [ "$read" = third ] || fail "batch line 3 read '$read'"
fi
printf 'a\nb\n' | "$cli" barcode --type code128 --batch - --output "$work/batch/c%d.svg" || fail "batch from stdin exit $?"
[ -s "$work/batch/c1.svg" ] && [ -s "$work/batch/c2.svg" ] || fail "batch from stdin wrote: $(ls "$work/batch")"

# Batch on both cores: names and messages in line order across blocks.
mkdir "$work/many"
seq 1 1100 | awk '{ print ($1 % 400 == 0 ? "no digits" : $1) }' >"$work/many.txt"
err=$("$cli" barcode --type ean8 --batch "$work/many.txt" --output "$work/many/%04d.png" 2>&1)
rc=$?
[ $rc -eq 3 ] || fail "batch of 1100 exited $rc, wanted 3"
[ "$err" = "$(printf 'quorvane-cli barcode: line %s: EAN 8 takes only digits, and the text has none\n' 400 800)" ] ||
    fail "batch of 1100 said: $err"
[ "$(ls "$work/many" | wc -l)" -eq 1098 ] && [ -s "$work/many/1100.png" ] && [ ! -e "$work/many/0400.png" ] ||
    fail "batch of 1100 wrote $(ls "$work/many" | wc -l) files"

# Data Matrix and Aztec sizes by the names the designer lists: the modules
# zint itself makes for that size number (its --vers), rows x columns.
zint_bits() {  # zint's module rows as 0/1, `width` columns
    zint -b "$1" --vers="$2" -d "$3" --dump |
        perl -ne 'chomp; s/ //g; print substr(join("", map { sprintf "%04b", hex } split //), 0, '"$4"'), "\n"'
}
if command -v zint >/dev/null && command -v perl >/dev/null; then
    for case in "datamatrix|16x48|30|71" "datamatrix|8x18|25|71" "datamatrix|120x120|22|71" \
        "datamatrix|144x144|24|71" "aztec|15x15 compact|1|92" "aztec|15x15|1|92" "aztec|19x19|5|92" \
        "aztec|19x19 compact|2|92"; do
        IFS='|' read -r type name vers zb <<<"$case"
        ours=$("$cli" barcode --type "$type" --text QV42 --size "$name" --pattern 2>&1) || fail "--size '$name': $ours"
        rows=${name%%x*} cols=${name#*x} cols=${cols%% *}
        [ "$(printf '%s\n' "$ours" | wc -l)x$(printf '%s\n' "$ours" | head -1 | tr -d '\n' | wc -c)" = "${rows}x$cols" ] ||
            fail "$type --size '$name' drew $(printf '%s\n' "$ours" | wc -l) rows"
        [ "$ours" = "$(zint_bits "$zb" "$vers" QV42 "$cols")" ] || fail "$type --size '$name' is not zint's size $vers"
    done
fi

# Text that is not UTF-8 is read as GB18030 (D6 D0 CE C4 is 中文); bytes
# valid in neither are refused, on the command line and in a batch.
[ "$("$cli" barcode --type qr --text $'\xd6\xd0\xce\xc4' --pattern)" = "$("$cli" barcode --type qr --text 中文 --pattern)" ] ||
    fail "GB18030 --text is not read as 中文"
err=$("$cli" barcode --type qr --text $'A\xff\xfe' --pattern 2>&1 >/dev/null)
rc=$?
[ $rc -eq 2 ] && [ "$err" = "quorvane-cli barcode: the text is neither UTF-8 nor GB18030" ] ||
    fail "bytes in no encoding: exit $rc, said '$err'"
mkdir "$work/enc"
printf '\xd6\xd0\xce\xc4\nA\xff\xfe\n' | "$cli" barcode --type qr --batch - --pattern --output "$work/enc/%d.txt" 2>"$work/enc.err"
rc=$?
[ $rc -eq 3 ] && [ "$(cat "$work/enc.err")" = "quorvane-cli barcode: line 2: the text is neither UTF-8 nor GB18030" ] ||
    fail "batch of bytes in no encoding: exit $rc, said '$(cat "$work/enc.err")'"
[ "$(ls "$work/enc")" = 1.txt ] && [ "$(cat "$work/enc/1.txt")" = "$("$cli" barcode --type qr --text 中文 --pattern)" ] ||
    fail "batch GB18030 line: $(ls "$work/enc")"

# A linear symbol with nothing to draw, or GS1 data with a wrong element, is
# refused with the reason.
for case in "ean13||EAN 13: the text is empty" "ean13|abc|EAN 13 takes only digits, and the text has none" \
    "code39|条形码|Code 39 takes only 0-9, A-Z, space and \$ % + - . /, and the text has none" \
    "ean128|(01)09501101530003(17)261331|AI (17): 261331 is not a valid date (YYMMDD)" \
    "gs1datamatrix|(01)09501101530004|AI (01): the check digit of 09501101530004 is wrong; it should be 3"; do
    IFS='|' read -r type text want <<<"$case"
    err=$("$cli" barcode --type "$type" --text "$text" --output "$work/empty.png" 2>&1)
    rc=$?
    [ $rc -eq 2 ] && [ "$err" = "quorvane-cli barcode: $want" ] && [ ! -e "$work/empty.png" ] ||
        fail "$type '$text': exit $rc, said '$err'"
done

# A write that fails says why and names the file, and leaves nothing under
# its name: a full disk (writes fail with EFBIG under the limit), and a
# program killed in the middle of a file (SIGXFSZ left to its default).
mkdir "$work/full"
big=$(printf 'A%.0s' $(seq 1 1000))
for ext in png svg pdf; do
    out="$work/full/big.$ext"
    err=$(trap '' XFSZ; ulimit -f 1; "$cli" barcode --type qr --text "$big" --module 8 --transparent --output "$out" 2>&1)
    rc=$?
    [ $rc -eq 1 ] && [ "$err" = "quorvane-cli barcode: cannot write $out: File too large" ] ||
        fail "$ext on a full disk: exit $rc, said '$err'"
    # (the inner shell's notice of the signal goes nowhere)
    rc=$( ( (ulimit -f 1; exec "$cli" barcode --type qr --text "$big" --module 8 --transparent --output "$out");
        echo $?) 2>/dev/null)
    [ $rc -eq $((128 + 25)) ] || fail "$ext: not killed by SIGXFSZ (exit $rc)"
    printf '%s\n' "$big" "$big" >"$work/full.txt"
    err=$(trap '' XFSZ; ulimit -f 1; "$cli" barcode --type qr --batch "$work/full.txt" --module 8 --transparent \
        --output "$work/full/%d.$ext" 2>&1)
    rc=$?
    [ $rc -eq 1 ] && [ "$err" = "quorvane-cli barcode: cannot write $work/full/1.$ext: File too large" ] ||
        fail "$ext batch on a full disk: exit $rc, said '$err'"
done
[ -z "$(ls "$work/full")" ] || fail "left under their names: $(ls "$work/full")"

# Outputs are replaced only when written whole. A symbol too large says its
# size and the limit, and an existing file keeps its content.
long=$(printf 'A%.0s' $(seq 1 1000))  # 1105500 pixels long at module 100
expect_too_large() {
    local out="$work/$1" err rc
    shift
    printf 'old\n' >"$out"
    err=$("$cli" barcode --type code128 --text "$long" --module 100 --output "$out" "$@" 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] || fail "too large $*: exited $rc, wanted 2"
    [ "$(cat "$out")" = old ] || fail "too large $*: the old $(basename "$out") was touched"
    printf '%s\n' "$err" | grep -q "$want_size.*$want_limit" || fail "too large $*: said '$err'"
}
want_size="1105500 x 1 pixels" want_limit="1000000 pixels a side" expect_too_large keep.png --height 1
want_size="1105500 x 10000 pixels" want_limit="200000000 pixels" expect_too_large keep.pdf --height 10000
want_size="10000 x 1105500 pixels" want_limit="200000000 pixels" expect_too_large keep.png --height 10000 --rotation 1
"$cli" barcode --type 0 --text 1234 --output "$work/keep.png" || fail "rewrite png exit $?"
head -c 8 "$work/keep.png" | grep -q PNG || fail "a good PNG did not replace the old file"
"$cli" barcode --type 0 --text 1234 --pattern --output "$work/keep.txt" || fail "pattern file exit $?"
[ "$(cat "$work/keep.txt")" = "$("$cli" barcode --type 0 --text 1234 --pattern)" ] || fail "pattern file differs"
leftovers=$(ls -A "$work" | grep -v -x -e keep.png -e keep.pdf -e keep.txt | grep '^keep')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# Bad arguments: exit 2 and one line on stderr.
expect_refusal() {
    local err rc
    err=$("$cli" barcode "$@" 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] || fail "'$*' exited $rc, wanted 2"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [ -n "$err" ] || fail "'$*' said: $err"
}
expect_refusal --type nosuch --text 1 --pattern
expect_refusal --type 97 --text 1 --pattern
expect_refusal --text 1 --pattern
expect_refusal --type 0 --pattern
expect_refusal --type 0 --text 1 --module 0 --output "$work/x.png"
expect_refusal --type 0 --text 1 --rotation 4 --output "$work/x.png"
expect_refusal --type 0 --text 1 --output "$work/x.gif"
expect_refusal --type 0 --text 1
expect_refusal --type 0 --text 1 --bogus
expect_refusal --type 0 --text
expect_refusal --type code128 --text 1 --ecc H --pattern
expect_refusal --type qr --text 1 --size 41 --pattern
expect_refusal --type qr --text "$long$long$long$long$long" --pattern
expect_refusal --type qr --batch - --output "$work/no-placeholder.png"
"$cli" barcode --help | grep -q -- '--pattern' || fail "barcode --help does not list --pattern"

# Every symbology by name and caption; options by their names, and a name
# the symbology lacks refused by name.
list=$("$cli" barcode --list)
[ "$(printf '%s\n' "$list" | wc -l)" -eq 97 ] || fail "--list gave $(printf '%s\n' "$list" | wc -l) lines"
for want in $'code128\tCode 128' $'dbar_exp\tGS1 DataBar Expanded' $'maxicode\tMaxiCode' $'gs1_128_cc\tGS1-128 Composite'; do
    printf '%s\n' "$list" | grep -qxF "$want" || fail "--list lacks '$want'"
done
for case in "maxicode|bearer=box|MaxiCode has no option 'bearer'" "maxicode|mode=9|MaxiCode: mode must be one of 2, 3, 4, 5, 6" \
    "microqr|version=M5|Micro QR Code: version must be one of M1, M2, M3, M4" "code128|mode=3|Code 128 has no option 'mode'" \
    "itf14|bearer|--option must be NAME=VALUE"; do
    IFS='|' read -r type option want <<<"$case"
    err=$("$cli" barcode --type "$type" --text 12345 --option "$option" --pattern 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] && [ "$err" = "quorvane-cli barcode: $want" ] || fail "$type --option $option: exit $rc, said '$err'"
done
[ "$("$cli" barcode --type microqr --text 12345 --option version=M3 --pattern | wc -l)" -eq 15 ] ||
    fail "microqr version=M3 is not 15 rows"

# A batch of each kind of shape: bars with bearer bars, DataBar, hexagons,
# dots, stacked rows; the linear ones read back.
mkdir "$work/kinds"
for case in "itf14|1234567890123" "dbar_omn|0950110153000" "maxicode|Parcel 42" "dotcode|DotCode 42" \
    "dbar_expstk|(01)09501101530003(10)AB123" "codabar|A37859B" "hanxin|汉信码 42"; do
    IFS='|' read -r type text <<<"$case"
    printf '%s\n%s\n' "$text" "$text" | "$cli" barcode --type "$type" --batch - --module 3 --height 120 \
        --output "$work/kinds/$type-%d.png" || fail "$type batch exit $?"
    [ -s "$work/kinds/$type-2.png" ] || fail "$type batch wrote: $(ls "$work/kinds")"
done
if command -v zbarimg >/dev/null; then
    for case in "itf14|I2/5:12345678901231" "dbar_omn|DataBar:0109501101530003" "codabar|Codabar:A37859B"; do
        IFS='|' read -r type want <<<"$case"
        convert "$work/kinds/$type-1.png" -bordercolor white -border 20 "$work/kinds/r.png" 2>/dev/null ||
            cp "$work/kinds/$type-1.png" "$work/kinds/r.png"
        read=$(zbarimg -q "$work/kinds/r.png" 2>/dev/null)
        [ "$read" = "$want" ] || fail "zbarimg read '$read' from $type"
    done
fi

[ $failures -eq 0 ] && echo "cli barcode: all passed"
exit $((failures > 0))
