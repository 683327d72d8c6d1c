#!/usr/bin/env bash
# Starts the real designer under a virtual X server, waits for its window,
# takes a screenshot and checks that the window was actually drawn.
set -euo pipefail

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIP: xvfb-run is not installed"
  exit 0
fi
BIN="${QV_BINARY_DIR:-$(dirname "$0")/../../build}/quorvane"
[ -x "$BIN" ] || { echo "FAIL: $BIN not built"; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
BIN="$1"; OUT="$2"
unset QT_QPA_PLATFORM
"$BIN" >"$OUT.log" 2>&1 &
pid=$!
found=""
if ! command -v xwininfo >/dev/null 2>&1; then
  # Without xwininfo, give the window time to appear instead.
  sleep 3
  kill -0 "$pid" 2>/dev/null && found=1
fi
for _ in $(seq 1 100); do
  [ -n "$found" ] && break
  if xwininfo -root -tree 2>/dev/null | grep -q '"Quorvane V1.00'; then found=1; break; fi
  if ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
[ -n "$found" ] && sleep 1
import -window root "$OUT" 2>/dev/null
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$found" ] || { echo "window never appeared"; cat "$OUT.log"; exit 1; }
INNER
chmod +x "$WORK/inner.sh"

xvfb-run -a -s "-screen 0 1024x700x24" "$WORK/inner.sh" "$BIN" "$WORK/shot.png"

[ -s "$WORK/shot.png" ] || { echo "FAIL: no screenshot"; exit 1; }
colours=$(convert "$WORK/shot.png" -format '%k' info:)
echo "screenshot has $colours distinct colours"
if [ "$colours" -lt 8 ]; then
  echo "FAIL: the screenshot is blank"
  exit 1
fi
# The label surface (white) and the workspace around it must both be there.
white=$(convert "$WORK/shot.png" -fill black +opaque white -fill white -opaque white -format '%[fx:mean*w*h]' info:)
echo "white pixels: $white"
if [ "${white%.*}" -lt 20000 ]; then
  echo "FAIL: the label surface is missing"
  exit 1
fi
echo "PASS"
