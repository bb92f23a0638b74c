#!/usr/bin/env bash
# Start and end in a real X server: core limit 0, not dumpable (the user's other programs cannot
# open its memory); the close request ends with 0 after the closing movement; File > Exit, at once
# with 0, even with one 10 MB word; a missing PubEnglish.txt, or one of 1 GB (sparse), shows an
# "Error" box, never the window nor the file's weight in memory, and ends with 1 once answered.
source "$(dirname "$0")/lib.bash" "$@"

peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"; }
up() { # starts the program, then logs each change of its window's place or size
  start "${as[@]}" "$app/quorvel"
  window Quorvel
  stdbuf -oL xev -id "$win" -event structure -event property >"$tmp/xev" &
  pids+=("$!")
  listening() { xprop -id "$win" -f PING 8s -set PING x && grep -q PropertyNotify "$tmp/xev"; }
  wait_for 60 "xev does not report the window's events" listening
}
((EUID)) && as=() || as=(setpriv --bounding-set=-sys_ptrace --inh-caps=-sys_ptrace) # root, as any user
moves() { grep -c ^ConfigureNotify "$tmp/xev" || true; }

echo "== the window manager's close request"
new_app
up
normal_kib=$(peak_kib)
grep -Eq '^Max core file size +0 +0 ' "/proc/$pid/limits" && ! "${as[@]}" dd if="/proc/$pid/mem" count=0 status=none 2>/dev/null ||
  fail "$(grep core "/proc/$pid/limits"), or its memory is open to the user's other programs"
python3 - "$win" <<'PY' # WM_DELETE_WINDOW, as a window manager sends it
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = x.XInternAtom.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
d, w = x.XOpenDisplay(None), int(sys.argv[1])
# A ClientMessage as longs: type, serial, send_event, display, window, message type, format, data.
x.XSendEvent(d, w, 0, 0, (ctypes.c_long * 24)(33, 0, 0, 0, w, x.XInternAtom(d, b"WM_PROTOCOLS", 0),
                                               32, x.XInternAtom(d, b"WM_DELETE_WINDOW", 0), 0))
x.XFlush(ctypes.c_void_p(d))
PY
wait_exit
width=$(sed -n 's/.*, width \([0-9]*\),.*/\1/p' "$tmp/xev" | tail -n1)
((rc == 0 && $(moves) > 8 && width < 435)) || fail "status $rc, $(moves) window changes, width $width"

echo "== File > Exit, with one word of 10 MB"
head -c 10000000 /dev/zero | tr '\0' a >"$app/PubEnglish.txt"
up
keys alt+f e
wait_exit
((rc == 0 && $(moves) == 0)) || fail "status $rc after $(moves) window changes"

for kind in missing 1G; do
  echo "== PubEnglish.txt $kind"
  rm -f "$app/PubEnglish.txt" && [[ $kind == missing ]] || truncate -s 1G "$app/PubEnglish.txt"
  start "$app/quorvel"
  window Error
  ! mapped Quorvel || fail "the window shows beside the \"Error\" box"
  (($(peak_kib) < normal_kib + 100 * 1024)) || fail "$(peak_kib) KiB at the box, $normal_kib at a start"
  keys Return
  wait_exit
  ((rc == 1)) || fail "status $rc after the \"Error\" box"
done
