#!/usr/bin/env bash
# A crash loses nothing: the real designer under a virtual X server opens a
# label, changes it until it writes its recovery copy, is killed with SIGKILL,
# and on the next start restores the label, which is then saved under its own
# name and compared with the copy. Input goes through XTest, as a person's
# would. QV_SHOTS_DIR, when set, receives the screenshots.
set -euo pipefail

BIN="${QV_BINARY_DIR:-$(dirname "$0")/../../build}/quorvane"
[ -x "$BIN" ] || { echo "FAIL: $BIN not built"; exit 1; }
for tool in xvfb-run xwininfo import convert python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# A label without grid dots, its one item at the top left.
cat >"$WORK/label.lbl" <<'LBL'
[FORMAT]
HEIGHT=1.5
WIDTH=2.5
TOPMARGIN=0.25
LEFTMARGIN=0.25
GAPHEIGHT=0
GAPWIDTH=0
METRIC=0
SHOWGRID=0
CONTROLS=1
[CNT_1]
TYPE=TEXT
TOP=0
LEFT=0
WIDTH=1
HEIGHT=0.3
TRANSPARENT=1
FONT_NAME=DejaVu Sans
FONT_SIZE=10
TEXT=恢复测试
LBL
cp "$WORK/label.lbl" "$WORK/original.lbl"

cat >"$WORK/xinput.py" <<'PY'
# xinput.py click X Y | key X Y KEYSYM [KEYSYM...] (held together, first pressed last)
import ctypes, sys, time
x11 = ctypes.CDLL("libX11.so.6"); xt = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x11.XOpenDisplay(None))
def flush():
    x11.XFlush(d); time.sleep(0.15)
cmd, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
# Without a window manager the keyboard goes to the window under the pointer.
xt.XTestFakeMotionEvent(d, -1, x, y, 0); flush()
if cmd == "click":
    for down in (1, 0):
        xt.XTestFakeButtonEvent(d, 1, down, 0); flush()
else:
    codes = [x11.XKeysymToKeycode(d, int(s, 16)) for s in sys.argv[4:]]
    for c in reversed(codes):
        xt.XTestFakeKeyEvent(d, c, 1, 0); flush()
    for c in codes:
        xt.XTestFakeKeyEvent(d, c, 0, 0); flush()
PY

# Where the label surface is on a screenshot: the viewport's grey is the
# commonest colour, its leftmost tall grey column is the viewport's edge, and
# a column further in turns grey just below the surface, which sits at the
# viewport's top left. Prints a point near the surface's bottom right, clear
# of the item.
cat >"$WORK/surface.py" <<'PY'
import collections, subprocess, sys
raw = subprocess.run(["convert", sys.argv[1], "ppm:-"], capture_output=True, check=True).stdout
parts = raw.split(maxsplit=4)
w, h, px = int(parts[1]), int(parts[2]), parts[4]
pixel = lambda x, y: px[3 * (y * w + x):3 * (y * w + x) + 3]
grey = collections.Counter(pixel(x, y) for y in range(0, h, 4) for x in range(0, w, 4)).most_common(1)[0][0]
def run_top(x, length):
    run = 0
    for y in range(h):
        run = run + 1 if pixel(x, y) == grey else 0
        if run >= length:
            return y - length + 1
    return None
left = next((x for x in range(w) if run_top(x, 200) is not None), None)
if left is not None:
    bottom = run_top(left + 20, 100)
    print(left + 150, bottom - 30)
    sys.exit(0)
sys.exit(1)
PY

cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
BIN="$1"; WORK="$2"
unset QT_QPA_PLATFORM
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/config" XDG_DATA_HOME="$WORK/home/data" \
       XDG_STATE_HOME="$WORK/home/state"
mkdir -p "$HOME"
STATE="$XDG_STATE_HOME/quorvane"
x() { python3 "$WORK/xinput.py" "$@" 2>/dev/null; }
windows() { xwininfo -root -tree 2>/dev/null || true; }
centre() { sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\1 \2 \3 \4/' <<<"$1" | { read -r w h l t; echo $((l + w / 2)) $((t + h / 2)); }; }
question() { windows | grep '"证实' | head -1; }
main_viewable() {
  local id
  id=$(windows | grep -- ' — Quorvane"' | head -1 | awk '{print $1}')
  [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable
}
# Starts the designer and waits for its window; with answer=1 it answers Yes
# (Return, the default) to the file-type questions of a first start.
start() {
  "$BIN" "$@" >>"$WORK/designer.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    q=$(question)
    if [ -n "$q" ] && [ "${answer:-0}" = 1 ]; then x key $(centre "$q") ff0d; sleep 0.3; continue; fi
    main_viewable && { sleep 1; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAIL: the main window never appeared"; cat "$WORK/designer.log"; return 1
}
main_centre() { centre "$(windows | grep -- ' — Quorvane"' | head -1)"; }
# Keys for the main window's shortcuts: without a window manager the window
# becomes active by a click (the middle is the viewport's grey, below the
# label, where a click changes nothing).
main_key() { x click $(main_centre); x key $(main_centre) "$@"; }

# --- a first start binds the file types and ends cleanly (文件 → 退出),
# leaving no copy and no question for the next ones.
answer=1 start || exit 1
main_key 66 ffe9
x key $(main_centre) 78
for _ in $(seq 1 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "FAIL: 文件 → 退出 did not end the program"; exit 1; }
wait "$pid"
[ -z "$(ls -A "$STATE" 2>/dev/null)" ] || { echo "FAIL: a clean exit left files in $STATE"; exit 1; }

# --- first run: open the label, change it, wait for the copy, kill.
start "$WORK/label.lbl" || exit 1
[ -z "$(question)" ] || { echo "FAIL: a question after a clean exit"; exit 1; }
import -window root "$WORK/run1.png"
point=$(python3 "$WORK/surface.py" "$WORK/run1.png") || { echo "FAIL: no label surface on the screen"; exit 1; }
# A click on the label (a change, and the keyboard focus), Tab to select the
# item, then six one-pixel moves with Ctrl+Right: seven changes.
x click $point
x key $point ff09
for _ in 1 2 3 4 5 6; do x key $point ff53 ffe3; done
copy=""
for _ in $(seq 1 300); do
  copy=$(ls "$STATE"/recovery-*.qvl 2>/dev/null | head -1)
  [ -n "$copy" ] && grep -q '^\[CNT_1\]' "$copy" && break
  copy=""; sleep 0.1
done
[ -n "$copy" ] || { echo "FAIL: no recovery copy after seven changes"; ls -la "$STATE" 2>&1; exit 1; }
[ -e "$copy.lock" ] || { echo "FAIL: the copy has no lock"; exit 1; }
kill -KILL "$pid"; wait "$pid" 2>/dev/null
cp "$copy" "$WORK/copy.qvl"
grep -q "^LABEL=$WORK/label.lbl" "$WORK/copy.qvl" || { echo "FAIL: the copy does not name its label"; exit 1; }
cmp -s "$WORK/label.lbl" "$WORK/original.lbl" || { echo "FAIL: the label file changed before any save"; exit 1; }

# --- second run: the question, Yes, then Ctrl+S over the restored label.
start || exit 1
q=""
for _ in $(seq 1 300); do q=$(question); [ -n "$q" ] && break; sleep 0.1; done
[ -n "$q" ] || { echo "FAIL: the restore question was not asked"; exit 1; }
sleep 0.5
import -window root "$WORK/question.png"
x key $(centre "$q") ff0d
sleep 1
[ -e "$copy" ] && { echo "FAIL: the old copy is still there after restoring"; exit 1; }
# Saving works only when the label counts as modified; it writes to the
# label's own name.
main_key 73 ffe3
for _ in $(seq 1 200); do cmp -s "$WORK/label.lbl" "$WORK/original.lbl" || break; sleep 0.1; done
sleep 0.5
import -window root "$WORK/restored.png"
ls "$STATE"/recovery-*.qvl >/dev/null 2>&1 && { echo "FAIL: a saved label still has a recovery copy"; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null
exit 0
INNER
chmod +x "$WORK/inner.sh"

for attempt in 1 2 3; do
  rm -rf "$WORK/home" "$WORK/designer.log"
  cp "$WORK/original.lbl" "$WORK/label.lbl"
  if xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x700x24" "$WORK/inner.sh" "$BIN" "$WORK"; then
    break
  fi
  grep -q "could not connect to display" "$WORK/designer.log" 2>/dev/null || exit 1
  echo "virtual display not ready (attempt $attempt), trying again"
  sleep 1
done
if [ -n "${QV_SHOTS_DIR:-}" ]; then
  cp "$WORK"/run1.png "$WORK"/question.png "$WORK"/restored.png "$QV_SHOTS_DIR"/ 2>/dev/null || true
fi

# The saved label is the copy without its RECOVERY section: the restored
# label had the changes, its own name, and counted as modified.
sed '/^\[RECOVERY\]/,$d' "$WORK/copy.qvl" >"$WORK/expected.lbl"
if ! cmp -s "$WORK/label.lbl" "$WORK/expected.lbl"; then
  echo "FAIL: the saved label differs from the recovery copy"
  diff <(tr -d '\r' <"$WORK/expected.lbl") <(tr -d '\r' <"$WORK/label.lbl") | head -20
  exit 1
fi
# The six moves are in it.
grep -a '^LEFT=' "$WORK/label.lbl" | tr -d '\r' | grep -qv '^LEFT=0$' \
  || { echo "FAIL: the item's moves were lost"; exit 1; }
grep -q "RecentFile1\"=\"$WORK/label.lbl\"" "$WORK/home/config/Maudrel Software/Quorvane.reg" \
  || { echo "FAIL: the saved label is not first among the recent files"; exit 1; }
echo "PASS"
