#!/bin/bash
# The print service over HTTPS with a private CUPS scheduler: the certificate
# and key checked before it listens, 50 records to a thermal (ZPL) queue read
# back barcode by barcode in order, and a job cancelled while it is drawn.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
# shellcheck source=../common/service_files.sh
source "$HERE/../common/service_files.sh"
if why=$(cups_missing); then echo "SKIP: $why"; exit 77; fi
[ -f /usr/share/cups/drv/sample.drv ] || { echo "SKIP: CUPS's sample drivers are not installed"; exit 77; }
service_setup curl openssl python3 zbarimg
mkdir "$T/tmp" "$T/img"
export TMPDIR="$T/tmp" XDG_CONFIG_HOME="$T/config"
base="https://localhost:$port/v1"
cert() { # cert NAME: a self-signed certificate for localhost, NAME.pem and NAME.key
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 -subj /CN=localhost \
    -addext subjectAltName=DNS:localhost -keyout "$T/$1.key" -out "$T/$1.pem" 2>/dev/null
}
cert tls
cert other
chmod 600 "$T"/*.key

# Refused before anything listens: each names what is wrong.
refused() { # refused WHAT WORDS tls-arguments...
  local what=$1 words=$2 msg
  shift 2
  msg=$(LC_ALL=C.UTF-8 "$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" "$@" 2>&1)
  [ $? -ne 0 ] || fail "$what: started"
  [[ "$msg" == *"$words"* ]] || fail "$what: the message does not say '$words': $msg"
}
refused "--cert alone" "--cert and --key go together" --cert "$T/tls.pem"
refused "--key alone" "--cert and --key go together" --key "$T/tls.key"
refused "an unreadable key" "cannot read the key $T/none.key" --cert "$T/tls.pem" --key "$T/none.key"
refused "a key that is no key" "$T/tls.pem holds no unencrypted PEM private key" --cert "$T/tls.pem" --key "$T/tls.pem"
refused "another certificate's key" "the key $T/other.key does not belong to the certificate $T/tls.pem" \
  --cert "$T/tls.pem" --key "$T/other.key"

cups_start "$T" || exit 1
cups_add_queue zebra "$T/zebra.out" drv:///sample.drv/zebra.ppd || { echo "FAIL: cannot add the ZPL queue"; exit 1; }
cups_add_queue office "$T/office.out" || { echo "FAIL: cannot add the PDF queue"; exit 1; }

# A 2 x 1 in roll label with a Code 128 of the column SKU; a label of 40
# texts, slow enough to draw that a job of it can be cancelled midway.
printf '%s\r\n' '[FORMAT]' WIDTH=2 HEIGHT=1 TOPMARGIN=0 LEFTMARGIN=0 GAPHEIGHT=0.25 GAPWIDTH=0.25 METRIC=0 ROLL=1 \
  CONTROLS=1 '' '[CNT_1]' TYPE=BARCODE BCTYPE=0 SCALE=1 INTERPRET=0 AUTOSCALE=1 TOP=0.1 LEFT=0.1 WIDTH=1.8 \
  HEIGHT=0.8 AUTOSIZE=0 TRANSPARENT=0 ROTATE=0 ADVANCED=1 ADV_COUNT=1 ADVTYPE_1=FIELD ADVNUM_1=1 ADVNAME_1=SKU \
  ADVSIZE_1=0 ADVCHAR_1=32 >"$T/labels/roll.lbl"
python3 - "$T/labels/slow.lbl" <<'PY'
import sys
label = "[FORMAT]\nWIDTH=3\nHEIGHT=1\nTOPMARGIN=0\nLEFTMARGIN=0\nGAPHEIGHT=0\nGAPWIDTH=0\nMETRIC=0\nCONTROLS=40\n"
for n in range(1, 41):
    label += (f"\n[CNT_{n}]\nTYPE=TEXT\nTOP={0.02 * n:.2f}\nLEFT=0.1\nWIDTH=2.8\nHEIGHT=0.3\nAUTOSIZE=0\n"
              "TRANSPARENT=1\nROTATE=0\nHALIGN=0\nVALIGN=3\nFONT_NAME=DejaVu Sans\nFONT_SIZE=8\nADVANCED=1\n"
              "ADV_COUNT=1\nADVTYPE_1=FIELD\nADVNUM_1=1\nADVNAME_1=SKU\n")
open(sys.argv[1], "wb").write(label.replace("\n", "\r\n").encode())
PY

"$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" --workers 1 \
  --cert "$T/tls.pem" --key "$T/tls.key" 2>"$T/log" &
pid=$!
curl_opts=(--cacert "$T/tls.pem" --resolve "localhost:$port:127.0.0.1")
wait_up "$base" || { cat "$T/log"; fail "no health over HTTPS"; exit 1; }
code=$(curl -s -m 5 -o /dev/null -w '%{http_code}' "http://127.0.0.1:$port/v1/health")
[ "$code" = 000 ] || fail "plain HTTP to the TLS port answered $code"

post() { # post FILE: the job's id
  curl -s "${curl_opts[@]}" -o "$T/out" -H "$auth" -H 'Content-Type: application/json' --data-binary "@$1" "$base/jobs"
  field id
}

# 50 records to the ZPL queue: 50 labels, each barcode its record, in order.
python3 -c 'import json; print(json.dumps({"label": "roll.lbl", "printer": "zebra",
  "records": [{"SKU": "ZP-%04d" % i} for i in range(1, 51)]}))' >"$T/zpl.json"
id=$(post "$T/zpl.json")
[ -n "$id" ] || fail "the ZPL job was refused: $(cat "$T/out")"
wait_job "$id"
[ "$(field state)" = done ] && [ "$(field labels_printed)" = 50 ] || fail "the ZPL job: $(cat "$T/out")"
cups_wait_idle 60 || fail "the ZPL job did not leave the queue: $(lpstat -o)"
n=$(python3 "$HERE/../common/zpl_graphics.py" decode "$T/zebra.out" "$T/img/zpl")
[ "$n" = 50 ] || fail "the ZPL queue printed $n labels, not 50"
got=$(zbarimg -q --raw "$T"/img/zpl-*.pbm 2>/dev/null | tr -d '\r' | tr '\n' ' ')
want=$(for i in $(seq 1 50); do printf 'ZP-%04d ' "$i"; done)
[ "$got" = "$want" ] || fail "the ZPL labels read '$got'"

# The printer's stored correction moves the label as it does for the command
# line: 1.5 x 2 mm at 203 DPI is 12 x 16 dots.
mkdir -p "$T/config/Maudrel Software"
printf '%s\n\n%s\n%s\n' 'Windows Registry Editor Version 5.00' \
  '[HKEY_CURRENT_USER\Software\Maudrel Software\Quorvane]' '"Calibration:zebra"="1.5,2,100,100"' \
  >"$T/config/Maudrel Software/Quorvane.reg"
echo '{"label":"roll.lbl","printer":"zebra","records":[{"SKU":"ZP-0001"}]}' >"$T/one.json"
rm -f "$T/zebra.out"
id=$(post "$T/one.json")
wait_job "$id"
cups_wait_idle 60 || fail "the calibrated job did not leave the queue: $(lpstat -o)"
python3 "$HERE/../common/zpl_graphics.py" decode "$T/zebra.out" "$T/img/cal" >/dev/null
read -r x0 y0 _ < <(python3 "$HERE/../common/zpl_graphics.py" bbox "$T/img/zpl-0001.pbm")
read -r x1 y1 _ < <(python3 "$HERE/../common/zpl_graphics.py" bbox "$T/img/cal-0001.pbm" 2>/dev/null)
dx=$((${x1:-0} - x0)) dy=$((${y1:-0} - y0))
[ "${dx#-}" -ge 11 ] && [ "$dx" -le 13 ] && [ "$dy" -ge 15 ] && [ "$dy" -le 17 ] ||
  fail "the calibrated label moved $dx x $dy dots, not 12 x 16"

# Cancelled while drawn: nothing more is drawn, nothing reaches the printer.
python3 -c 'import json; print(json.dumps({"label": "slow.lbl", "printer": "office",
  "records": [{"SKU": "N%05d" % i} for i in range(5000)]}))' >"$T/slow.json"
id=$(post "$T/slow.json")
for _ in $(seq 500); do
  get "$id"
  [ "$(field state)" = printing ] && break
done
code=$(curl -s "${curl_opts[@]}" -o "$T/out" -w '%{http_code}' -X DELETE -H "$auth" "$base/jobs/$id")
[ "$code" = 200 ] || [ "$code" = 202 ] || fail "DELETE while printing: $code $(cat "$T/out")"
wait_job "$id"
[ "$(field state)" = cancelled ] || fail "the cancelled job: $(cat "$T/out")"
[ "$(field labels_printed)" -lt 5000 ] || fail "the cancelled job printed all its labels: $(cat "$T/out")"
left=$(lpstat -W all -o office 2>/dev/null | grep -c .)
cups_completed_jobs | grep -q '^office' && fail "the cancelled job was printed: $(lpstat -W completed -o office)"
[ ! -s "$T/office.out" ] || fail "the cancelled job reached the printer"
[ "$left" = 0 ] || [ -z "$(lpstat -o office 2>/dev/null)" ] || fail "the cancelled job waits at the printer: $(lpstat -o office)"

kill -TERM "$pid"
wait "$pid" || fail "the server ended with $? on SIGTERM"
pid=
exit $((failures > 0))
