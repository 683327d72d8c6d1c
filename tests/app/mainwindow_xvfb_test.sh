#!/usr/bin/env bash
# Starts the real designer under a virtual X server, waits for its window,
# takes a screenshot and checks that the window was actually drawn.
set -euo pipefail

BIN="${QV_BINARY_DIR:-$(dirname "$0")/../../build}/quorvane"
[ -x "$BIN" ] || { echo "FAIL: $BIN not built"; exit 1; }

# The options answer without opening a window.
version=$(QT_QPA_PLATFORM=offscreen "$BIN" --version 2>/dev/null)
[ "$version" = "Quorvane 1.00" ] || { echo "FAIL: --version printed '$version'"; exit 1; }
help=$(QT_QPA_PLATFORM=offscreen "$BIN" --help 2>/dev/null)
grep -q -- "--version" <<<"$help" && grep -q -- "--lang" <<<"$help" \
  || { echo "FAIL: --help does not list the options"; exit 1; }
if QT_QPA_PLATFORM=offscreen "$BIN" --lang xx >/dev/null 2>&1; then
  echo "FAIL: an unknown --lang was accepted"; exit 1
fi

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIP: xvfb-run is not installed"
  exit 77
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
BIN="$1"; OUT="$2"; WORK="$3"
unset QT_QPA_PLATFORM
# A fresh user: settings and file types go to the scratch folder.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/config" XDG_DATA_HOME="$WORK/home/data"
mkdir -p "$HOME"

# Presses Return (the default Yes of the file-type questions) through XTest,
# with the pointer over the question: without a window manager the keyboard
# goes to the window under the pointer.
press_return() {
  python3 - "$1" "$2" <<'PY' 2>/dev/null || true
import ctypes, sys, time
x11 = ctypes.CDLL("libX11.so.6"); xt = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x11.XOpenDisplay(None))
xt.XTestFakeMotionEvent(d, -1, int(sys.argv[1]), int(sys.argv[2]), 0); x11.XFlush(d); time.sleep(0.2)
code = x11.XKeysymToKeycode(d, 0xff0d)
for down in (1, 0):
    xt.XTestFakeKeyEvent(d, code, down, 0); x11.XFlush(d); time.sleep(0.1)
PY
}

windows() { xwininfo -root -tree 2>/dev/null || true; }

"$BIN" >"$OUT.log" 2>&1 &
pid=$!
found=""
if ! command -v xwininfo >/dev/null 2>&1; then
  # Without xwininfo, give the window time to appear instead.
  sleep 3
  kill -0 "$pid" 2>/dev/null && found=1
fi
for _ in $(seq 1 150); do
  [ -n "$found" ] && break
  # The first start asks whether to bind the label file types; the main
  # window already exists (unmapped) while it asks.
  question=$(windows | grep '"证实' | head -1)
  if [ -n "$question" ]; then
    geo=$(sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\1 \2 \3 \4/' <<<"$question")
    read -r w h x y <<<"$geo"
    press_return $((x + w / 2)) $((y + h / 2))
    sleep 0.3
    continue
  fi
  main=$(windows | grep '"未命名 — Quorvane' | head -1 | awk '{print $1}')
  if [ -n "$main" ] && xwininfo -id "$main" 2>/dev/null | grep -q IsViewable; then found=1; break; fi
  if ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
[ -n "$found" ] && sleep 1
windows >"$OUT.windows"
import -window root "$OUT" 2>/dev/null
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$found" ] || { echo "window never appeared"; cat "$OUT.log"; exit 1; }
INNER
chmod +x "$WORK/inner.sh"

# On a loaded machine the virtual server is now and then not ready for the
# program's first connection; that is the server's start, not the program, so
# it is tried again.
for attempt in 1 2 3; do
  rm -f "$WORK/shot.png"
  if xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x700x24" \
       "$WORK/inner.sh" "$BIN" "$WORK/shot.png" "$WORK"; then
    break
  fi
  grep -q "could not connect to display" "$WORK/shot.png.log" 2>/dev/null || exit 1
  echo "virtual display not ready (attempt $attempt), trying again"
  sleep 1
done

[ -s "$WORK/shot.png" ] || { echo "FAIL: no screenshot"; exit 1; }
# The caption is the window's own (no file yet), with nothing appended by the toolkit.
if ! grep -q '"未命名 — Quorvane":' "$WORK/shot.png.windows"; then
  echo "FAIL: the main window's caption is not exactly \"未命名 — Quorvane\":"
  grep 'Quorvane' "$WORK/shot.png.windows"
  exit 1
fi
colours=$(convert "$WORK/shot.png" -format '%k' info:)
echo "screenshot has $colours distinct colours"
if [ "$colours" -lt 8 ]; then
  echo "FAIL: the screenshot is blank"
  exit 1
fi
# The label surface (white) must be there, not only the window's grey.
white=$(convert "$WORK/shot.png" -fill black +opaque white -fill white -opaque white -format '%[fx:mean*w*h]' info:)
echo "white pixels: $white"
if [ "${white%.*}" -lt 20000 ]; then
  echo "FAIL: the label surface is missing"
  cp "$WORK/shot.png" "${QV_BINARY_DIR:-/tmp}/mainwindow_xvfb_fail.png" 2>/dev/null || true
  exit 1
fi
echo "PASS"
