#!/usr/bin/env bash
# Times the closing movement under openbox on a 1280 x 1024 screen, started by the window manager's
# close as a task bar asks for it (_NET_CLOSE_WINDOW): from the request to the program's end, and
# where openbox last put the window (its client area).
# Usage: bash bench/closing.sh build/bin/quorvel [CLOSES, 10 unless given]
SMOKE_SCREEN=1280x1024 source "$(dirname "$0")/../tests/smoke/lib.bash" "$1"
start openbox --sm-disable &>/dev/null
wait_for 60 "openbox does not start" eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
new_app
for ((i = 1; i <= ${2:-10}; i++)); do
  start "$app/quorvel"; window Quorvel
  stdbuf -oL xev -id "$win" -event structure >"$tmp/xev" & pids+=("$!")
  sleep 0.5 # until xev listens
  python3 -c 'import ctypes as c, sys
x = c.CDLL("libX11.so.6"); x.XOpenDisplay.restype = x.XInternAtom.restype = c.c_void_p
x.XInternAtom.argtypes, x.XSendEvent.argtypes = [c.c_void_p, c.c_char_p, c.c_int], [c.c_void_p] * 5
d = c.c_void_p(x.XOpenDisplay(None)); w = int(sys.argv[1])
x.XSendEvent(d, x.XDefaultRootWindow(d), 0, 0x180000,
             (c.c_long * 24)(33, 0, 0, 0, w, x.XInternAtom(d, b"_NET_CLOSE_WINDOW", 0), 32, 0, 2))
x.XFlush(d)' "$win"
  from=${EPOCHREALTIME/./}
  while running "$pid"; do sleep 0.005; done
  took=$(((${EPOCHREALTIME/./} - from) / 1000)) && rc=0 && wait "$pid" || rc=$?
  last=$(grep -A1 '^ConfigureNotify.*synthetic YES' "$tmp/xev" | tail -n1 |
    sed 's/.*(\(.*\),\(.*\)), width \([0-9]*\), height \([0-9]*\).*/\1,\2 \3 x \4/')
  echo "close $i: status $rc after $took ms, last at $last"
done
