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
BIN="$1"; OUT="$2"; WORK="$3"
unset QT_QPA_PLATFORM
# A fresh user: settings and file types go to the scratch folder.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/config" XDG_DATA_HOME="$WORK/home/data"
mkdir -p "$HOME"

# Presses Return (the default Yes of the file-type questions) through XTest.
press_return() {
  python3 - <<'PY' 2>/dev/null || true
import ctypes, time
x11 = ctypes.CDLL("libX11.so.6"); xt = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x11.XOpenDisplay(None))
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
  if windows | grep -q '"Quorvane V1.00'; then found=1; break; fi
  # The first start asks whether to bind the label file types.
  if windows | grep -q '"证实'; then press_return; sleep 0.3; fi
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

xvfb-run -a -s "-screen 0 1024x700x24" "$WORK/inner.sh" "$BIN" "$WORK/shot.png" "$WORK"

[ -s "$WORK/shot.png" ] || { echo "FAIL: no screenshot"; exit 1; }
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
  exit 1
fi
echo "PASS"
