#!/usr/bin/env bash
# Whole-program check of the built binary in a real X server (Xvfb):
#   1. it comes up with its "Quorvel" window and File > Exit (keyboard) ends it with status 0,
#      with the shipped list and with a word file of one 10 MB line, whose row is drawn cut
#      short and so costs no more than a word;
#   2. the window manager's close request (WM_DELETE_WINDOW) ends it within a few seconds;
#   3. without PubEnglish.txt, or with one of 1 GB (sparse: nothing is written), it shows the
#      "Error" box at once without taking much memory, never maps the main window, and ends
#      with status 1 once the box is answered.
# usage: bash start_and_exit.sh path/to/quorvel
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash" "$@"


# watch_moves WINDOW: from now on, logs every change of the window's place or size (the X
# server's ConfigureNotify events, so no step is missed however fast they come).
watch_moves() {
  stdbuf -oL xev -id "$1" -event structure >"$tmp/xev.log" 2>/dev/null &
  xev_pid=$!
  pids+=("$xev_pid")
  sleep 0.3 # let xev select the events before anything happens
}

# count_moves: stops the log and sets moves to the number of changes it holds.
count_moves() {
  sleep 0.1
  kill "$xev_pid" 2>/dev/null || true
  wait "$xev_pid" 2>/dev/null || true
  moves=$(grep -c '^ConfigureNotify' "$tmp/xev.log" || true)
}

# find_window TITLE SECONDS: prints the id of the first mapped window with that exact title.
find_window() {
  local id
  id=$(timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
  [[ -n "$id" ]] || return 1
  echo "$id"
}

# Delivers WM_DELETE_WINDOW the way a window manager does: a WM_PROTOCOLS ClientMessage.
send_wm_delete() {
  python3 - "$1" <<'PY'
import ctypes, sys
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("l", ctypes.c_long * 5)]

class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]

dpy = x11.XOpenDisplay(None)
if not dpy:
    sys.exit("cannot open display")
window = int(sys.argv[1], 0)
ev = XEvent()
ev.xclient.type = 33  # ClientMessage
ev.xclient.window = window
ev.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
ev.xclient.format = 32
ev.xclient.l[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
ev.xclient.l[1] = 0  # CurrentTime
if not x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(ev)):
    sys.exit("XSendEvent failed")
x11.XFlush(dpy)
x11.XCloseDisplay(dpy)
PY
}

start() {
  "$@" &
  pid=$!
  pids+=("$pid")
}

# peak_kib PID: the process's peak memory so far (VmHWM), in KiB.
peak_kib() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}

# --- 1. start, then File > Exit from the keyboard ------------------------------------------
mkdir "$tmp/long"
cp "$bin" "$tmp/long/quorvel"
head -c 10000000 /dev/zero | tr '\0' a >"$tmp/long/PubEnglish.txt"
for app in "$bin" "$tmp/long/quorvel"; do
  echo "== start, File > Exit, with $(stat -c %s "$(dirname "$app")/PubEnglish.txt") bytes of words"
  start "$app"
  win=$(find_window Quorvel 30) || fail "no mapped \"Quorvel\" window within 30 s"
  sleep 0.5
  running "$pid" || fail "the program ended by itself after showing its window"
  [[ -n "${normal_kib:-}" ]] || normal_kib=$(peak_kib "$pid")
  # Keys go through XTEST to the focused window, as a user's would. The key that ends the
  # program can make xdotool complain about a vanished window, hence "|| true".
  xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
  watch_moves "$win"
  xdotool key alt+f || true
  sleep 0.5 # let the menu open before its item's key arrives
  xdotool key e || true
  t0=$SECONDS
  wait_exit "$pid" 5
  count_moves
  ((rc == 0)) || fail "File > Exit ended with status $rc, expected 0"
  ((moves == 0)) || fail "File > Exit moved or resized the window ($moves changes) before ending"
  echo "   ended with status 0 in about $((SECONDS - t0)) s"
done

# --- 2. start, then the window manager's close request -------------------------------------
echo "== start, WM_DELETE_WINDOW"
start "$bin"
win=$(find_window Quorvel 30) || fail "no mapped \"Quorvel\" window within 30 s"
xprop -id "$win" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
  fail "the window does not take part in the WM_DELETE_WINDOW protocol"
watch_moves "$win"
send_wm_delete "$win"
t0=$SECONDS
wait_exit "$pid" 6
count_moves
((rc == 0)) || fail "closing the window ended with status $rc, expected 0"
# The closing movement slides and shrinks the window step by step before the end.
((moves > 0)) || fail "closing the window ended without the closing movement"
echo "   ended with status 0 in about $((SECONDS - t0)) s after $moves window changes"

# --- 3. missing or absurdly large PubEnglish.txt ---------------------------------------------
mkdir "$tmp/app"
cp "$bin" "$tmp/app/quorvel"
for f in "$(dirname "$bin")"/Pub*.txt; do
  [[ $(basename "$f") == PubEnglish.txt ]] || cp "$f" "$tmp/app/"
done
[[ ! -e "$tmp/app/PubEnglish.txt" ]] || fail "test set-up: PubEnglish.txt still present"
for kind in missing 1G; do
  echo "== PubEnglish.txt $kind"
  rm -f "$tmp/main-window-mapped"
  [[ $kind == missing ]] || truncate -s "$kind" "$tmp/app/PubEnglish.txt"
  started=$(date +%s%N)
  start "$tmp/app/quorvel"
  app=$pid
  # Watch, for as long as it runs, whether a "Quorvel" window ever gets mapped.
  (
    while running "$app"; do
      if xdotool search --onlyvisible --name '^Quorvel$' >/dev/null 2>&1; then
        : >"$tmp/main-window-mapped"
      fi
      sleep 0.05
    done
  ) &
  pids+=("$!")
  watcher=$!
  box=$(find_window Error 30) || fail "no \"Error\" box within 30 s"
  shown_ms=$((($(date +%s%N) - started) / 1000000))
  running "$app" || fail "the program ended before the \"Error\" box was answered"
  box_kib=$(peak_kib "$app")
  ((box_kib < normal_kib + 100 * 1024)) ||
    fail "the \"Error\" box took $box_kib KiB at its peak, a normal start $normal_kib KiB"
  xdotool windowfocus --sync "$box" || fail "cannot focus the \"Error\" box"
  xdotool key Return || true
  wait_exit "$app" 5
  wait "$watcher" || true
  ((rc == 1)) || fail "the program ended with status $rc after an unreadable word file, expected 1"
  [[ ! -e "$tmp/main-window-mapped" ]] || fail "the \"Quorvel\" window was mapped despite the word file"
  echo "   box after $shown_ms ms at $box_kib KiB (normal start: $normal_kib KiB), status 1"
done

echo "smoke: all scenarios passed"
