#!/usr/bin/env bash
# A session by keyboard and mouse in a real X server: the exports, a click in the copy box and
# its own copy put exact bytes on the clipboard, marked secret; Load Private Words asks, makes the
# list and loads it; a French keyboard's é key and dead acute both give "école".
source "$(dirname "$0")/lib.bash" "$@"

new_app
start "$app/quorvel"
window Quorvel
eval "$(xdotool getwindowgeometry --shell "$win")"
# click X Y: a left click at a place of the client area, which lies below the menu bar.
click() { xdotool mousemove --window "$win" "$1" $((HEIGHT - 276 + $2)) click 1; }
row="364 48" copybox="181 32" entry="364 33" num="193 240" word="264 240" wordnum="364 14"

echo "== zo, the first candidate, the exports"
keys z o
click $row
click $num
expect_clipboard $'2047\r\n' "Copy Num"
click $word
expect_clipboard zone "Copy Word"
click $copybox
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
click $entry
xdotool windowfocus --sync "$win" type --delay 50 "$first"
click $row
click $copybox
expect_clipboard "$want""0001 $first"$'\r\n' "the first entry of the private list"

echo "== French keyboard and list: the é key, then a dead acute and Shift+E"
setxkbmap fr
keys alt+l f
click $wordnum
click $wordnum # back to words, the copy box emptied
click $entry
keys eacute c o
click $row
keys dead_acute shift+e c o
click $row
click $word
expect_clipboard $'école\r\nécole' "Copy Word after école twice"
keys alt+f e
wait_exit
((rc == 0)) || fail "File > Exit ended with status $rc"
