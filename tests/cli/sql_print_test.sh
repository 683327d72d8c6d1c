#!/usr/bin/env bash
# Database sources as a person uses them: the same 30 records in a CSV file, a
# SQLite file (written by python3's sqlite3 module) and a private PostgreSQL
# server started here print the same pages, every barcode reads back its
# record, and each failure names the source and says what went wrong.
set -uo pipefail

CLI="${QV_BINARY_DIR:-build}/quorvane-cli"
SRC="${QV_SOURCE_DIR:-.}"
export QT_QPA_PLATFORM=offscreen
for tool in pdftoppm pdftotext zbarimg python3 psql; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$CLI" ] || { echo "FAIL: $CLI not built"; exit 1; }
# shellcheck source=../common/pg_private.sh
source "$SRC/tests/common/pg_private.sh"
pg_private_bin >/dev/null || { echo "SKIP: PostgreSQL server (postgresql) is not installed"; exit 77; }

T=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
trap 'pg_private_stop; rm -rf "$T" "$XDG_RUNTIME_DIR"' EXIT
# No desktop keyring here: a password the server wants must fail at once.
unset DBUS_SESSION_BUS_ADDRESS QUORVANE_DB_PASSWORD
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Letter sheets of 2.5 x 1.25 in labels, 3 by 8: a Code 128 of column 1 and
# a text of the other columns.
LABEL="${QV_SOURCE_DIR:-.}/tests/common/record_label.lbl"

# The records: sku, name (Chinese too, and Latin with accents), a price with a
# fraction that binary floating point cannot hold exactly (and no whole
# number, which SQLite's REAL and a numeric(6,2) would write differently), and
# a note that is NULL (empty) in every third record and holds a line break in
# some. The CSV file comes as spreadsheets write it (UTF-8 without a mark, the
# line breaks in quoted fields), as UTF-16 with a mark and without (the label
# names its encoding), and as GB18030.
python3 - "$T" <<'PY'
import csv, sqlite3, sys
t = sys.argv[1]
names = ["Item %d", "货品 %d", "José Müller %d", "Zürich %d"]
rows = [("QV-%05d" % i, names[i % 4] % i, round(i * 0.1 + 0.05, 2),
         None if i % 3 == 0 else "box %d" % (i * 10) + ("\nfragile" if i % 7 == 0 else "")) for i in range(1, 31)]
for name, encoding in (("stock", "utf-8"), ("stock16", "utf-16"), ("stock16le", "utf-16-le"), ("stockgb", "gb18030")):
    with open(t + "/" + name + ".csv", "w", newline="", encoding=encoding) as f:
        w = csv.writer(f, lineterminator="\r\n")
        w.writerow(["sku", "name", "price", "note"])
        for r in rows:
            w.writerow([r[0], r[1], repr(r[2]), r[3] or ""])
db = sqlite3.connect(t + "/stock.db")
db.execute("create table stock (sku text, name text, price real, note text)")
db.executemany("insert into stock values (?, ?, ?, ?)", rows)
db.commit()
with open(t + "/stock.sql", "w", encoding="utf-8") as f:
    f.write("create table stock (sku text, name text, price numeric(6,2), note text);\n")
    for r in rows:
        note = "null" if r[3] is None else "E'%s'" % r[3].replace("\n", "\\n")
        f.write("insert into stock values ('%s', '%s', %s, %s);\n" % (r[0], r[1], r[2], note))
    f.write("alter table stock add column packed timestamptz;\n")
    f.write("update stock set packed = timestamptz '2024-03-05 14:04:00.25+00' + (substr(sku, 4)::int * interval '61 minutes');\n")
    f.write("alter database shop set timezone = 'Asia/Kolkata';\ncreate sequence seq;\n")
PY

pg_private_start "$T" || { fail "the private PostgreSQL server did not start"; exit 1; }
pg_psql postgres -c "create database shop" &&
  pg_psql shop -f "$T/stock.sql" &&
  pg_psql shop -c "create role clerk login; create role keeper login password 'sesame';
                   grant select on stock to keeper;" || fail "the database was not set up"
# keeper logs in with a password; everyone else is trusted.
{ echo "local all keeper scram-sha-256"; cat "$PG_DIR/data/pg_hba.conf"; } >"$T/hba" &&
  cp "$T/hba" "$PG_DIR/data/pg_hba.conf" && pg_psql postgres -c "select pg_reload_conf()" >/dev/null

PG="postgresql://$PG_USER@/shop?host=$PG_SOCKET"
LITE="sqlite://$T/stock.db"
Q="select sku, name, price, note from stock order by sku"

# 1. The same pages from the CSV file, SQLite and PostgreSQL.
print() { # output args...
  local out="$1"; shift
  "$CLI" print "$LABEL" "$@" --output "$T/$out" --paper Letter --quiet || fail "$out: status $?"
}
print csv.pdf --data "$T/stock.csv"
print u16.pdf --data "$T/stock16.csv"
print gb.pdf --data "$T/stockgb.csv" --encoding GB18030
sed 's/^\[FORMAT\]\r\?$/&\nDATAENCODING=UTF-16LE/' "$LABEL" >"$T/le.lbl"
LABEL="$T/le.lbl" print le.pdf --data "$T/stock16le.csv"
print lite.pdf --sql "$LITE" --query "$Q"
print litedata.pdf --data "$LITE" --query "$Q"
print pg.pdf --sql "$PG" --query "$Q"
QUORVANE_DB_PASSWORD=sesame print keeper.pdf --sql "postgresql://keeper@/shop?host=$PG_SOCKET" --query "$Q"
# A timestamptz prints as the server writes it in the session's zone
# (+05:30 here, whatever the machine's), its offset included.
TS="select sku, packed%s, price, note from stock order by sku"
# shellcheck disable=SC2059
TZ=America/New_York print tstz.pdf --sql "$PG" --query "$(printf "$TS" "")"
# shellcheck disable=SC2059
print tstext.pdf --sql "$PG" --query "$(printf "$TS" "::text")"
pdftoppm -r 100 -gray "$T/tstext.pdf" "$T/tstext"
pdftoppm -r 100 -gray "$T/tstz.pdf" "$T/tstz"
for page in "$T"/tstext-*.pgm; do
  cmp -s "$page" "$T/tstz-${page##*/tstext-}" || fail "timestamptz: page ${page##*/tstext-} differs from the server's text"
done
pdftoppm -r 100 -gray "$T/csv.pdf" "$T/csv"
pg_psql shop -At -c "select packed from stock where sku = 'QV-00001'" | grep -q '+05:30$' ||
  fail "the session's zone is not +05:30"
for src in u16 le gb lite litedata pg keeper; do
  pdftoppm -r 100 -gray "$T/$src.pdf" "$T/$src"
  for page in "$T"/csv-*.pgm; do
    other="$T/$src-${page##*/csv-}"
    cmp -s "$page" "$other" || fail "$src: page ${page##*/csv-} differs from the CSV's"
  done
  [ "$(ls "$T"/"$src"-*.pgm | wc -l)" = 2 ] || fail "$src: expected 2 pages"
done
rm -f "$T"/*.pgm

# Every barcode of the PostgreSQL print reads back its record: each page
# rasterised once at 300 DPI, label k's cell (left 56.25 + 787.5 c, top
# 150 + 375 r, 750 x 375) cut out of it and read on its own.
pdftoppm -r 300 -gray "$T/pg.pdf" "$T/page"
python3 - "$T" <<'PY'
import glob, sys
t = sys.argv[1]
for p, name in enumerate(sorted(glob.glob(t + "/page-*.pgm"))):
    data = open(name, "rb").read()
    magic, w, h, maxval, pixels = data.split(maxsplit=4)
    w, h = int(w), int(h)
    for cell in range(24):
        r, c = divmod(cell, 3)
        x, y = int(56.25 + 787.5 * c), 150 + 375 * r
        rows = b"".join(pixels[(y + i) * w + x:(y + i) * w + x + 750] for i in range(375))
        open("%s/cell-%02d.pgm" % (t, p * 24 + cell), "wb").write(b"P5 750 375 255\n" + rows)
PY
for k in $(seq 0 29); do
  got=$(zbarimg -q --raw "$(printf '%s/cell-%02d.pgm' "$T" "$k")" 2>/dev/null | tr -d '\r\n')
  [ "$got" = "$(printf 'QV-%05d' $((k + 1)))" ] || fail "label $((k + 1)) reads '$got'"
done
rm -f "$T"/page-*.pgm "$T"/cell-*.pgm

# 2. Failures: status 2, one line naming the source and the database's words,
# nothing written.
expect_fail() { # description source expected-text args...
  local what="$1" source="$2" text="$3"; shift 3
  rm -f "$T/bad.pdf"
  local msg rc
  msg=$("$CLI" print "$LABEL" "$@" --output "$T/bad.pdf" --quiet 2>&1 >/dev/null); rc=$?
  [ $rc -eq 2 ] || fail "$what: status $rc, expected 2 ($msg)"
  [ "$(printf '%s\n' "$msg" | wc -l)" -eq 1 ] || fail "$what: message is not one line: $msg"
  case "$msg" in *"$source"*"$text"*) ;; *) fail "$what: message '$msg' lacks '$source' ... '$text'";; esac
  [ ! -e "$T/bad.pdf" ] || fail "$what: output written"
}
NODB="postgresql://$PG_USER@/nosuchdb?host=$PG_SOCKET"
CLERK="postgresql://clerk@/shop?host=$PG_SOCKET"
KEEPER="postgresql://keeper@/shop?host=$PG_SOCKET"
expect_fail "no such database" "$NODB" 'database "nosuchdb" does not exist' --sql "$NODB" --query "$Q"
expect_fail "no server" "host=$T/none" "No such file or directory" --sql "postgresql://x@/shop?host=$T/none" --query "$Q"
expect_fail "bad query" "$PG" 'syntax error at or near "selec"' --sql "$PG" --query "selec sku from stock"
expect_fail "permission denied" "$CLERK" "permission denied for table stock" --sql "$CLERK" --query "$Q"
expect_fail "no password" "$KEEPER" "no password supplied" --sql "$KEEPER" --query "$Q"
expect_fail "no rows" "$PG" "returns no rows" --sql "$PG" --query "select * from stock where false"
expect_fail "a change refused" "$PG" "read-only transaction" --sql "$PG" --query "delete from stock"
expect_fail "no SQLite file" "$T/none.db" "no such file" --sql "sqlite://$T/none.db" --query "$Q"
expect_fail "SQLite bad query" "$LITE" "no such table: stocks" --sql "$LITE" --query "select * from stocks"
expect_fail "password in the URL" "" "QUORVANE_DB_PASSWORD" --sql "postgresql://keeper:sesame@/shop" --query "$Q"
expect_fail "password in a parameter" "" "QUORVANE_DB_PASSWORD" --sql "postgresql://keeper@/shop?PassWord=sesame" --query "$Q"
expect_fail "password in an ODBC string" "" "QUORVANE_DB_PASSWORD" --sql "odbc:DRIVER={PostgreSQL};PWD={sesame};UID=keeper" --query "$Q"
expect_fail "several statements at once" "" "CLIENT_MULTI_STATEMENTS" --sql "mysql://u@h/db?CLIENT_MULTI_STATEMENTS=1" --query "$Q"
msg=$("$CLI" print "$LABEL" --sql "odbc:DSN=shop;pwd=sesame" --query "$Q" --output "$T/bad.pdf" 2>&1)
case "$msg" in *sesame*) fail "a password is shown: $msg";; esac

# A query cannot write: one statement only, in a read-only transaction that
# it cannot end, on every driver; the data are unchanged afterwards.
ONE="only one SELECT statement is allowed"
expect_fail "commit and write" "$PG" "$ONE" --sql "$PG" --query "$Q; COMMIT; BEGIN READ WRITE; DELETE FROM stock"
expect_fail "two selects" "$PG" "$ONE" --sql "$PG" --query "select 1; select 2"
expect_fail "hidden in a comment" "$PG" "$ONE" --sql "$PG" --query "select 1 /* a */ ; delete from stock"
expect_fail "hidden after a backslash" "$PG" "$ONE" --sql "$PG" --query "select 'a\'; delete from stock; --'"
expect_fail "hidden after dollars" "$PG" "$ONE" --sql "$PG" --query "select \$\$'\$\$; delete from stock; --'"
expect_fail "writable CTE" "$PG" "read-only transaction" --sql "$PG" \
  --query "with d as (delete from stock returning *) select * from d"
expect_fail "create table" "$PG" "read-only transaction" --sql "$PG" --query "create table evil (x int)"
expect_fail "sequence" "$PG" "read-only transaction" --sql "$PG" --query "select nextval('seq')"
expect_fail "read-write again" "$PG" "read-only transaction" --sql "$PG" \
  --query "with s as (select set_config('transaction_read_only', 'off', true)) delete from stock where sku in (select * from s)"
expect_fail "SQLite commit and write" "$LITE" "$ONE" --sql "$LITE" --query "$Q; COMMIT; DELETE FROM stock"
expect_fail "SQLite create table" "$LITE" "readonly" --sql "$LITE" --query "create table evil (x)"
expect_fail "SQLite attach" "$LITE" "" --sql "$LITE" --query "attach database '$T/evil.db' as evil"
expect_fail "SQLite writable again" "$LITE" "" --sql "$LITE" --query "pragma query_only = 0; delete from stock"
[ "$(pg_psql shop -At -c "select count(*) from stock")" = 30 ] || fail "PostgreSQL: rows were deleted"
[ -z "$(pg_psql shop -At -c "select to_regclass('evil')")" ] || fail "PostgreSQL: a table was created"
python3 - "$T/stock.db" <<'PY' || fail "SQLite: the data changed"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
assert db.execute("select count(*) from stock").fetchone()[0] == 30
assert db.execute("select count(*) from sqlite_master where name = 'evil'").fetchone()[0] == 0
PY
[ ! -e "$T/evil.db" ] || fail "SQLite: an attached database was created"

# Binary columns are refused before printing, named.
expect_fail "bytea" "$PG" '"pic"' --sql "$PG" --query "select sku, sku::bytea as pic from stock"
expect_fail "blob" "$LITE" '"pic"' --sql "$LITE" --query "select sku, cast(sku as blob) as pic from stock"
expect_fail "no query" "" "--sql needs --query" --sql "$PG"
expect_fail "two sources" "" "exclude each other" --sql "$PG" --query "$Q" --data "$T/stock.csv"
[ ! -e "$T/none.db" ] || fail "a missing SQLite file was created"

# 3. The connection lost in the middle of a long job: the job stops, says
# after how many labels, and leaves no PDF.
LONG="select 'QV-' || i, 'Item ' || i, i, null from generate_series(1, 2000000) i"
"$CLI" print "$LABEL" --sql "$PG&application_name=qvlost" --query "$LONG" --output "$T/lost.pdf" \
  --quiet 2>"$T/lost.err" &
job=$!
for _ in $(seq 1 300); do
  n=$(pg_psql postgres -At -c "select count(*) from pg_stat_activity where application_name = 'qvlost'")
  [ "$n" = 1 ] && break
  sleep 0.1
done
sleep 1
pg_psql postgres -At -c "select pg_terminate_backend(pid) from pg_stat_activity where application_name = 'qvlost'" \
  >/dev/null
wait $job
rc=$?
msg=$(cat "$T/lost.err")
[ $rc -eq 2 ] || fail "lost connection: status $rc, expected 2 ($msg)"
case "$msg" in
  *"$PG&application_name=qvlost"*"connection"*"The job stopped after "[1-9]*" labels and was discarded.") ;;
  *) fail "lost connection: message '$msg'";;
esac
[ ! -e "$T/lost.pdf" ] || fail "lost connection: a PDF was left"

# 4. Dates read from the database's own date and timestamp cells (in the
# session's zone), not from their text: the input pattern would not read it.
printf '[FORMAT]\r\nWIDTH=5\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nADVANCED=1\r\nADV_COUNT=5\r\n%b\r\n' \
  'ADVTYPE_1=FIELD\r\nADVNAME_1=sku\r\nADVTYPE_2=TEXT\r\nADVTXT_2=;\r\nADVTYPE_3=DATE\r\nADVFMT_3=yyyy-mm-dd hh:nn\r\nADVOFFSET_3=+1d\r\nADVDATESRC_3=column:packed\r\nADVDATEIN_3=dd/mm/yyyy\r\nADVTYPE_4=TEXT\r\nADVTXT_4=;\r\nADVTYPE_5=DATE\r\nADVFMT_5=yyyymmdd\r\nADVOFFSET_5=+1m\r\nADVDATESRC_5=column:day\r\nADVDATEIN_5=dd/mm/yyyy' \
  >"$T/dates.lbl"
"$CLI" print "$T/dates.lbl" --sql "$PG" --query "select sku, packed, packed::date as day from stock order by sku limit 2" \
  --all --roll --output "$T/dates.pdf" --quiet || fail "dates: status $?"
got=$(pdftotext "$T/dates.pdf" - | tr -d ' \f' | grep QV | tr '\n' ' ')
[ "$got" = "QV-00001;2024-03-0620:35;20240405 QV-00002;2024-03-0621:36;20240405 " ] || fail "dates: printed '$got'"

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
