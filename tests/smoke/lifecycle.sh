#!/usr/bin/env bash
# Start and end in a real X server: the close request ends with 0 after the closing movement (the
# window slides and shrinks until its top edge lies further down than the screen is wide); File >
# Exit ends at once with 0, even with one word of 10 MB; a missing or 1 GB (sparse) PubEnglish.txt
# shows an "Error" box, never the window nor the file's weight in memory, and ends with 1 once
# answered. Under openbox (it keeps a tenth of a window's height on the screen) its close takes the
# window out of sight to the right within 3 s; minimised, it ends within 2.
SMOKE_SCREEN=1280x1024 source "$(dirname "$0")/lib.bash" "$@"

peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"; }
up() { # starts the program, then logs each change of its window's place or size
  start "$app/quorvel"; window Quorvel
  stdbuf -oL xev -id "$win" -event structure -event property >"$tmp/xev" & pids+=("$!")
  listening() { xprop -id "$win" -f PING 8s -set PING x && grep -q PropertyNotify "$tmp/xev"; }
  wait_for 60 "xev does not report the window's events" listening
}
moves() { grep -c ^ConfigureNotify "$tmp/xev" || true; }
last() { grep -A1 "^ConfigureNotify$1" "$tmp/xev" | sed -n 's/.*(\(.*\),\(.*\)), width \([0-9]*\),.*/\1 \2 \3/p' | tail -n1; }
delete() { # WM_DELETE_WINDOW as a window manager sends it; with "wm", a task bar's close (the WM's)
  python3 -c 'import ctypes as c, sys
x, w = c.CDLL("libX11.so.6"), int(sys.argv[1]); x.XOpenDisplay.restype = x.XInternAtom.restype = c.c_void_p
x.XInternAtom.argtypes, x.XSendEvent.argtypes = [c.c_void_p, c.c_char_p, c.c_int], [c.c_void_p] * 5
d = c.c_void_p(x.XOpenDisplay(None)); atom = lambda name: x.XInternAtom(d, name, 0)
to, mask, data = (x.XDefaultRootWindow(d), 0x180000, [atom(b"_NET_CLOSE_WINDOW"), 32, 0, 2]) if sys.argv[2] else (w, 0, [atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW")])
x.XSendEvent(d, to, 0, mask, (c.c_long * 24)(33, 0, 0, 0, w, *data)), x.XFlush(d)' "$win" "${1:-}"
}
ends_within() { # SECONDS COMMAND...: the program ends with 0 within SECONDS after COMMAND
  "${@:2}"; local from=${EPOCHREALTIME/./}; wait_exit; took=$(((${EPOCHREALTIME/./} - from) / 1000))
  ((rc == 0 && took <= $1 * 1000)) || fail "$2: status $rc after $took ms"; }

echo "== the close request, without a window manager"
new_app; up; normal_kib=$(peak_kib)
ends_within 60 delete; read -r x y width <<<"$(last "")" # the last place and width
((y > 1280 && width < 435)) || fail "$(moves) window changes, the last at $x,$y, $width wide"

echo "== File > Exit, with one word of 10 MB"
head -c 10000000 /dev/zero | tr '\0' a >"$app/PubEnglish.txt"
up; keys alt+f e; wait_exit
((rc == 0 && $(moves) == 0)) || fail "status $rc after $(moves) window changes"

for kind in missing 1G; do
  echo "== PubEnglish.txt $kind"
  rm -f "$app/PubEnglish.txt"
  [[ $kind == missing ]] || truncate -s 1G "$app/PubEnglish.txt"
  start "$app/quorvel"; window Error
  ! mapped Quorvel || fail "the window shows beside the \"Error\" box"
  (($(peak_kib) < normal_kib + 100 * 1024)) || fail "$(peak_kib) KiB at the box, $normal_kib at a start"
  keys Return; wait_exit
  ((rc == 1)) || fail "status $rc after the \"Error\" box"
done
echo "== openbox: its close, and a minimised window's"
start openbox --sm-disable &>/dev/null
wait_for 60 "openbox does not start" eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
new_app; up
ends_within 3 delete wm; read -r x y width <<<"$(last ".*synthetic YES")"
((x >= 1280 || y >= 1024)) || fail "the window is still in sight at $x,$y after $took ms"
up; xdotool windowminimize --sync "$win"
ends_within 2 delete wm
