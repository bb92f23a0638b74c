#!/usr/bin/env bash
# A session by keyboard and mouse in a real X server: the exports, a click in the copy box and
# its own copy put exact bytes on the clipboard, marked secret; Load Private Words asks, makes the
# list and loads it; a French keyboard's é key and dead acute both give "école".
SMOKE_BUS=1 source "$(dirname "$0")/lib.bash" "$@"

new_app
start "$app/quorvel"
window Quorvel
# Where each control is, as the accessibility bus tells it; `click NAME` clicks its middle.
eval "$(/usr/bin/python3 "$(dirname "$0")/controls.py" "$pid")"
click() { xdotool mousemove ${!1} click 1; }

echo "== zo, the first candidate, the exports"
keys z o
click Row
click CopyNumbers
expect_clipboard $'2047\r\n' "Copy Num"
click CopyWords
expect_clipboard zone "Copy Word"
click CopyBox
want=$'2047 zone\r\n'
expect_clipboard "$want" "a click in the copy box"
keys ctrl+a ctrl+c
expect_clipboard $'2047 zone\n' "the copy box's own copy"

echo "== Load Private Words: asked, made read-only, loaded"
keys alt+f l
window Query && keys Return && window Quorvel
made() { [[ $(stat -c %a "$app/PriEnglish.txt" 2>/dev/null) == 400 ]]; }
wait_for 60 "no read-only PriEnglish.txt" made
first=$(head -n1 "$app/PriEnglish.txt" | tr -d '\r')
click EntryBox
xdotool windowfocus --sync "$win" type --delay 50 "$first"
click Row
click CopyBox
expect_clipboard "$want""0001 $first"$'\r\n' "the first entry of the private list"

echo "== French keyboard and list: the é key, then a dead acute and Shift+E"
setxkbmap fr
keys alt+l f
click ModeButton
click ModeButton # back to words, the copy box emptied
click EntryBox
keys eacute c o
click Row
keys dead_acute shift+e c o
click Row
click CopyWords
expect_clipboard $'école\r\nécole' "Copy Word after école twice"
keys alt+f e
wait_exit
((rc == 0)) || fail "File > Exit ended with status $rc"
