#!/bin/bash
# The status page in a real browser (headless Chromium): a done job shows as
# done in Chinese, then in English; a job's title is shown as text, not
# markup; a failed job is retried over HTTP as a new job of the same body.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../common/cups_private.sh
source "$HERE/../common/cups_private.sh"
# shellcheck source=../common/service_files.sh
source "$HERE/../common/service_files.sh"
service_setup chromium curl python3
# A printer for the page to list when a private scheduler can run; none
# (and no system queue either) otherwise.
printer=
if ! cups_missing >/dev/null && cups_start "$T" && cups_add_queue office "$T/office.out" 2>/dev/null; then
  printer=office
else
  export CUPS_SERVER="$T/no-cups.sock"
fi
"$server" --listen "127.0.0.1:$port" --state "$T/state" --labels "$T/labels" --tokens "$T/tokens" --workers 1 \
  2>"$T/log" &
pid=$!
wait_up "$base" || { cat "$T/log"; fail "no health"; exit 1; }
post() { request 201 "$1" -H "$auth" --data-binary "$2" "$base/jobs"; }

post "a good job" '{"label":"goods.lbl","title":"<img src=x onerror=alert(1)>货","records":[{"SKU":"A1","名称":"甲"}]}'
good=$(field id)
wait_job "$good"
[ "$(field state)" = done ] || fail "job $good: $(cat "$T/out")"
# With a file where the PDFs go, the next job cannot write its PDF and fails.
mv "$T/state/pdf" "$T/state/pdf.away" && touch "$T/state/pdf"
post "a job that fails" '{"label":"goods.lbl","title":"坏","records":[{"SKU":"B2","名称":"乙"}]}'
bad=$(field id)
wait_job "$bad"
[ "$(field state)" = failed ] || fail "job $bad did not fail: $(cat "$T/out")"
rm "$T/state/pdf" && mv "$T/state/pdf.away" "$T/state/pdf"

# page QUERY: the page's DOM after its scripts ran, with the token in the fragment.
page() {
  timeout 60 chromium --headless=new --no-sandbox --disable-gpu --no-first-run --user-data-dir="$T/browser" \
    --virtual-time-budget=1000 --dump-dom "http://127.0.0.1:$port/$1#token=s3cret-token-0123456789" 2>"$T/chromium.log"
}
# row ID: that job's row of the table.
row() { python3 -c 'import re, sys; m = re.search(r"<tr id=\"job-%s\".*?</tr>" % sys.argv[1], sys.stdin.read(), re.S); print(m.group(0) if m else "")' "$1"; }

dom=$(page "")
[ -n "$dom" ] || { fail "no DOM from chromium: $(tail -5 "$T/chromium.log")"; exit 1; }
r=$(row "$good" <<<"$dom")
[[ "$r" == *'data-state="done"'*已完成* ]] || fail "the page does not show job $good done in Chinese: ${r:-$dom}"
[[ "$r" == *'&lt;img src=x'* ]] || fail "the title is not shown as text: $r"
[[ "$dom" == *"<img"* ]] && fail "a job's title became markup"
r=$(row "$bad" <<<"$dom")
[[ "$r" == *失败*'>重试</button>'* ]] || fail "the failed job has no 重试 button: $r"
if [ -n "$printer" ]; then
  [[ "$dom" == *"<td>office"*'data-state="idle"'* ]] || fail "the page does not list the printer idle"
fi
r=$(page "?lang=en" | row "$good")
[[ "$r" == *'data-state="done"'*'>Done<'* ]] || fail "the page does not show job $good done in English: $r"

request 409 "retrying a done job" -X POST -H "$auth" "$base/jobs/$good/retry"
request 404 "retrying an unknown job" -X POST -H "$auth" "$base/jobs/999999/retry"
request 401 "retrying without a token" -X POST "$base/jobs/$bad/retry"
request 201 "retrying the failed job" -X POST -H "$auth" "$base/jobs/$bad/retry"
[ "$(field retry_of)" = "$bad" ] && [ "$(field state)" = queued ] || fail "the retry's answer: $(cat "$T/out")"
again=$(field id)
request 200 "retrying the failed job twice" -X POST -H "$auth" "$base/jobs/$bad/retry"
[ "$(field id)" = "$again" ] || fail "a second retry made job $(field id), not $again"
wait_job "$again"
[ "$(field state)" = done ] && [ "$(field title)" = 坏 ] || fail "the retried job $again: $(cat "$T/out")"

request 200 "the page without a token" "http://127.0.0.1:$port/"
grep -q s3cret "$T/log" && fail "the log shows a token"
kill -TERM "$pid"
wait "$pid" || fail "the server ended with $? on SIGTERM"
pid=
exit $((failures > 0))
