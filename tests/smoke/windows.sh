#!/usr/bin/env bash
# The Windows program under Wine, in an X server and a Wine prefix of its own, driven by the
# keyboard as a user would: a word typed and picked, Copy Num read back byte for byte from
# inside Wine, a private list asked for, made, loaded and found read-only, Exit, the closing
# movement, and a missing word file that ends the program after its Error box.
#   bash windows.sh path/to/quorvel.exe path/to/clipboard_hex.exe
set -euo pipefail
[[ $# -eq 2 && -f $1 && -f $2 ]] || { echo "usage: bash $0 quorvel.exe clipboard_hex.exe" >&2 && exit 2; }
exe=$(readlink -f "$1") hex_exe=$(readlink -f "$2") tmp=$(mktemp -d) pids=()
stop_all() {
  WINEPREFIX=$tmp/prefix wineserver -k 2>/dev/null || true
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap stop_all EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
wait_for() { # SECONDS WHAT COMMAND...
  local end=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do ((SECONDS < end)) && sleep 0.2 || fail "$what"; done
}
running() { kill -0 "$1" 2>/dev/null && [[ $(cat "/proc/$1/stat" 2>/dev/null) =~ \)\ [^Z] ]]; }
ended() { ! running "$pid"; }
mapped() { found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n $found ]]; }
window() { wait_for 60 "no \"$1\" window" mapped "$1" && win=$found; }
keys() { xdotool windowfocus --sync "$win" key --delay 120 "$@"; }
start() { # FOLDER: runs quorvel.exe from FOLDER
  (cd "$1" && exec wine ./quorvel.exe) &
  pid=$!
  pids+=("$pid")
}
wait_exit() { # STATUS: the program ends, with STATUS, within a minute
  wait_for 60 "the program is still running after a minute" ended
  local rc=0
  wait "$pid" || rc=$?
  [[ $rc == "$1" ]] || fail "exit status $rc, not $1"
}
new_app() { # a program folder whose name is not ASCII, $app
  app=$tmp/"Пример 例 $1"
  mkdir -p "$app"
  cp "$exe" "$(dirname "$exe")"/Pub*.txt "$app/"
}
utf16_hex() { printf %s "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n'; }
clipboard_is() { # TEXT: the clipboard as a Windows program reads it, marks included
  local want
  want=$(printf 'text %s\n' "$(utf16_hex "$1")"
    for mark in ExcludeClipboardContentFromMonitorProcessing CanIncludeInClipboardHistory \
      CanUploadToCloudClipboard; do echo "$mark 00000000"; done)
  got=$(wine "$hex_exe" | tr -d '\r')
  [[ $got == "$want" ]]
}
expect_clipboard() { # TEXT WHAT
  local end=$((SECONDS + 30))
  until clipboard_is "$1"; do ((SECONDS < end)) && sleep 0.2 || fail "$2: the clipboard holds: $got"; done
}
# Type WORD, take its candidate with the first key in the list, then Copy Num (Tab order:
# entry box, word list, candidates, copy box, Copy Num; a pick gives the entry box the focus).
pick_and_copy() {
  xdotool windowfocus --sync "$win" type --delay 120 "$1"
  keys Tab Tab Down
  sleep 1
  keys Tab Tab Tab Tab space
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids+=("$!")
display_ready() { read -r display <"$tmp/display"; } 2>/dev/null
wait_for 60 "no X server" display_ready
export DISPLAY=:$display WINEPREFIX=$tmp/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
wineboot --init >/dev/null 2>&1 || true
wineserver -p 2>/dev/null || true

new_app session
start "$app"
window Quorvel
pick_and_copy zoo
expect_clipboard $'2048\r\n' "Copy Num after zoo"
keys shift+Tab shift+Tab shift+Tab shift+Tab # back to the entry box, where the focus returns

# A private list: File, Load Private Words, Yes (the default) to make one; it is loaded, so zoo
# has the number of its line in the new file.
keys alt+f l
window Query
keys Return
wait_for 60 "no private list made" test -s "$app/PriEnglish.txt"
number=$(grep -n -x $'zoo\r' "$app/PriEnglish.txt" | cut -d: -f1)
[[ -n $number ]] || fail "zoo is not in the private list"
# Wine keeps no access lists: it makes one up that lets Everyone read, so the load check rightly
# warns that others can read the file. On Windows the list is the user's alone.
for _ in {1..50}; do mapped Warning && win=$found && keys Return && break; sleep 0.1; done
window Quorvel
pick_and_copy zoo
expect_clipboard "2048"$'\r\n'"$(printf %04d "$number")"$'\r\n' "Copy Num from the private list"
mode=$(stat -c %a "$app/PriEnglish.txt")
[[ $mode != *[2367]* ]] || fail "the private list is writable: mode $mode"
keys alt+f e
wait_exit 0

# The closing movement ends the program, promptly.
start "$app"
window Quorvel
keys alt+F4
wait_exit 0

# A missing word file: the Error box, then the end, with a failure status.
new_app missing
rm "$app/PubEnglish.txt"
start "$app"
window Error
keys Return
wait_exit 1
echo "windows smoke: passed"
