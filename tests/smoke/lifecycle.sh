#!/usr/bin/env bash
# Start and end in a real X server: core limit 0, not dumpable (the user's other programs cannot
# open its memory); the close request ends with 0 after the closing movement (the window slides and
# shrinks until its top edge lies further down than the screen is wide); File > Exit, at once with
# 0, even with one 10 MB word; a missing PubEnglish.txt, one of 1 GB (sparse) or one of more items
# than a list may hold shows an "Error" box, never the window nor the file's weight in memory, and
# ends with 1 once answered. Files at the limits start within their budget of CPU time and memory,
# and a private list that would pass the size limit is refused, the program going on. Under openbox
# (it keeps a tenth of a window's height on the screen) its close takes the window out of sight to
# the right within 3 s; minimised, it ends within 2.
SMOKE_SCREEN=1280x1024 source "$(dirname "$0")/lib.bash" "$@"

peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"; }
up() { # starts the program, then logs each change of its window's place or size
  start "${as[@]}" "$app/quorvel"; window Quorvel
  stdbuf -oL xev -id "$win" -event structure -event property >"$tmp/xev" & pids+=("$!")
  listening() { xprop -id "$win" -f PING 8s -set PING x && grep -q PropertyNotify "$tmp/xev"; }
  wait_for 60 "xev does not report the window's events" listening
}
((EUID)) && as=() || as=(setpriv --bounding-set=-sys_ptrace --inh-caps=-sys_ptrace) # root, as any user
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
grep -Eq '^Max core file size +0 +0 ' "/proc/$pid/limits" && ! "${as[@]}" dd if="/proc/$pid/mem" count=0 status=none 2>/dev/null ||
  fail "$(grep core "/proc/$pid/limits"), or its memory is open to the user's other programs"
ends_within 60 delete; read -r x y width <<<"$(last "")" # the last place and width
((y > 1280 && width < 435)) || fail "$(moves) window changes, the last at $x,$y, $width wide"

echo "== File > Exit, with one word of 10 MB"
head -c 10000000 /dev/zero | tr '\0' a >"$app/PubEnglish.txt"
up; keys alt+f e; wait_exit
((rc == 0 && $(moves) == 0)) || fail "status $rc after $(moves) window changes"

for kind in missing 1G commas; do
  echo "== PubEnglish.txt $kind"
  rm -f "$app/PubEnglish.txt"
  [[ $kind != 1G ]] || truncate -s 1G "$app/PubEnglish.txt"
  [[ $kind != commas ]] || head -c 64M /dev/zero | tr '\0' , >"$app/PubEnglish.txt" # 64 M items
  start "$app/quorvel"
  window Error
  ! mapped Quorvel || fail "the window shows beside the \"Error\" box"
  (($(peak_kib) < normal_kib + 100 * 1024)) || fail "$(peak_kib) KiB at the box, $normal_kib at a start"
  keys Return; wait_exit
  ((rc == 1)) || fail "status $rc after the \"Error\" box"
done

# CPU time, which a busy machine stretches less than the clock: each budget is twice what it takes
# and far below what it took before. Sanitizer builds check what happens, not the budget.
cpu() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$pid/stat"; }
budget() { # WHAT SECONDS [KIB]: CPU time since `from` and the peak memory within them
  [[ -z ${ASAN_OPTIONS:-} ]] || return 0
  awk -v used="$(cpu)" -v from="$from" -v most="$2" 'BEGIN { exit !(used - from <= most) }' ||
    fail "$1 took $(cpu) s of CPU, counted from $from"
  (($(peak_kib) < ${3:-500 * 1024})) || fail "$1: peak $(peak_kib) KiB"
}
owned() { timeout 10 xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q passwordManagerHint; }
starts() { start "$app/quorvel" && from=0 && window Quorvel && budget "start-up with $1" 3; }

echo "== 64 MiB of 2048 lines: its private list, with CR LF, would be too large to read back"
x=$(head -c 32766 /dev/zero | tr '\0' x)
{ yes "w$x" || true; } | head -n 2048 >"$app/PubEnglish.txt"
starts "2048 lines of 32 KiB"
keys alt+f l && window Query && keys Return && window Error && keys Return && window Quorvel
[[ ! -e $app/PriEnglish.txt ]] && running "$pid" || fail "the private list was written, or the program ended"
keys alt+f e && wait_exit && ((rc == 0)) || fail "File > Exit ended with status $rc"

# Drawing a million positions and sorting a million words for the check take minutes unoptimised.
[[ -n ${ASAN_OPTIONS:-} ]] || {
  echo "== the most items a list may hold, 63 MiB: started, and its private list made, in budget"
  seq -f %062g $((1 << 20)) >"$app/PubEnglish.txt"
  starts "1,048,576 items"
  from=$(cpu) && keys alt+f l && window Query && keys Return && window Quorvel
  wait_for 60 "no read-only PriEnglish.txt" eval '[[ $(stat -c %a "$app/PriEnglish.txt" 2>&-) == 400 ]]'
  keys Tab Tab Tab Tab space # Copy Num: answered once the list is loaded
  wait_for 60 "Copy Num is not answered" owned
  budget "making and loading the private list" 8
  keys alt+f e && wait_exit && rm -f "$app/PriEnglish.txt"
}

echo "== one word of 64 MiB: listed, picked and copied with Copy Word in budget"
{ printf z && head -c $((64 * 1024 * 1024 - 2)) /dev/zero | tr '\0' a && echo; } >"$app/PubEnglish.txt"
starts "one word of 64 MiB"
from=$(cpu) && keys z Tab Tab Down Tab Tab Tab Tab Tab space
wait_for 60 "Copy Word is not answered" owned
budget "listing, picking and copying it" 4 $((1024 * 1024))
keys alt+f e && wait_exit

echo "== openbox: its close, and a minimised window's"
start openbox --sm-disable &>/dev/null
wait_for 60 "openbox does not start" eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
new_app; up
ends_within 3 delete wm; read -r x y width <<<"$(last ".*synthetic YES")"
((x >= 1280 || y >= 1024)) || fail "the window is still in sight at $x,$y after $took ms"
up; xdotool windowminimize --sync "$win"
ends_within 2 delete wm
