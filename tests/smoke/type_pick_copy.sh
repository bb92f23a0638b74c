#!/usr/bin/env bash
# Whole-program check of the built binary in a real X server (Xvfb), driven from outside the
# process as a user would: type a prefix, click the first candidate, press "Copy Num" and read
# the clipboard bytes and targets; then "Copy Word", a click in the copy box and the box's own
# copy; then private lists that are not what they should be, each loaded after its "Warning";
# then, on a French keyboard with the French list, "eco" and a dead acute with Shift+E then "co"
# each pick "école", which Copy Word gives back whole; then File > Exit.
# usage: bash type_pick_copy.sh path/to/quorvel
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash" "$@"

prefix=zo
# Client-area layout in pixels (twips / 15), below the menu bar.
client_width=435
client_height=276
list_x=304 list_y=40 list_w=120 # candidates
num_x=161 num_y=232             # "Copy Num", 65 x 17
word_x=232 word_y=232           # "Copy Word", 65 x 17
box_x=161 box_y=24              # copy box, 137 x 201
mode_x=304 mode_y=4             # "Words", 121 x 20
entry_x=304 entry_y=24          # entry box, 120 x 19
button_w=65 button_h=17


# A fresh program directory: a private list left by an earlier run would change nothing here,
# but a stale file must never decide whether the test passes.
app="$tmp/app"
mkdir "$app"
cp "$bin" "$app/quorvel"
shopt -s nullglob
words=("$(dirname "$bin")"/Pub*.txt)
shopt -u nullglob
((${#words[@]} > 0)) || fail "no Pub*.txt word files beside $bin"
cp "${words[@]}" "$app/"
[[ -f "$app/PubEnglish.txt" ]] || fail "PubEnglish.txt is not beside $bin"

# The candidates come in list order, so the first one is the first line with the prefix; its
# number is its line number, four digits wide.
first=$(tr -d '\r' <"$app/PubEnglish.txt" | grep -n "^$prefix" | head -n1) ||
  fail "no word in PubEnglish.txt starts with \"$prefix\""
line=${first%%:*}
word=${first#*:}
number=$(printf '%04d' "$line")
echo "== expecting the first candidate for \"$prefix\" to be \"$number $word\""

"$app/quorvel" &
pid=$!

win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n1) || true
[[ -n "$win" ]] || fail "no mapped \"Quorvel\" window within 30 s"
running "$pid" || fail "the program ended by itself after showing its window"

eval "$(xdotool getwindowgeometry --shell "$win")"
# Without a window manager the X window is the client area plus the menu bar above it.
((WIDTH == client_width)) || fail "window is $WIDTH px wide, expected $client_width: layout changed?"
menu=$((HEIGHT - client_height))
((menu >= 10 && menu <= 60)) || fail "window is $HEIGHT px high: menu bar of $menu px is implausible"
echo "   window $win: ${WIDTH}x${HEIGHT} px, menu bar $menu px"

# click X Y: a left click at client-area coordinates, through XTEST like a real mouse.
click() {
  xdotool mousemove --window "$win" "$1" $((menu + $2)) click 1
}

# clipboard_is EXPECTED-FILE WHAT: waits up to 3 s for the clipboard to hold exactly those
# bytes. The program owns the selection, so it must still be running while this reads.
clipboard_is() {
  local deadline=$((SECONDS + 3))
  while ((SECONDS < deadline)); do
    running "$pid" || fail "the program ended before the clipboard was read ($2)"
    if timeout 2 xclip -selection clipboard -o >"$tmp/clip" 2>/dev/null &&
      cmp -s "$tmp/clip" "$1"; then
      # The hint that keeps the text out of clipboard managers' history.
      timeout 2 xclip -selection clipboard -t TARGETS -o | grep -qx x-kde-passwordManagerHint &&
        [[ $(timeout 2 xclip -selection clipboard -t x-kde-passwordManagerHint -o) == secret ]] ||
        fail "$2: the clipboard text is not marked secret"
      return 0
    fi
    sleep 0.1
  done
  echo "expected:" >&2
  od -c "$1" >&2
  echo "clipboard:" >&2
  od -c "$tmp/clip" >&2
  fail "$2: clipboard bytes differ"
}

xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
sleep 0.3
xdotool type --delay 60 "$prefix"
sleep 0.3
# The middle of the first row: rows are taller than 16 px, the list has a 1 px frame.
click $((list_x + list_w / 2)) $((list_y + 8))
sleep 0.3

echo "== Copy Num"
click $((num_x + button_w / 2)) $((num_y + button_h / 2))
printf '%s\r\n' "$number" >"$tmp/want-num"
clipboard_is "$tmp/want-num" "Copy Num after picking \"$number $word\""
echo "   clipboard:$(od -An -c "$tmp/clip")"

echo "== Copy Word"
click $((word_x + button_w / 2)) $((word_y + button_h / 2))
printf '%s' "$word" >"$tmp/want-word"
clipboard_is "$tmp/want-word" "Copy Word after picking \"$number $word\""
echo "   clipboard:$(od -An -c "$tmp/clip")"

echo "== click in the copy box"
click $((box_x + 20)) $((box_y + 8))
printf '%s %s\r\n' "$number" "$word" >"$tmp/want-box"
clipboard_is "$tmp/want-box" "click in the copy box"
echo "   clipboard:$(od -An -c "$tmp/clip")"

echo "== Control+A, Control+C in the copy box"
xdotool key ctrl+a ctrl+c
printf '%s %s\n' "$number" "$word" >"$tmp/want-own" # the box's own copy ends lines with LF
clipboard_is "$tmp/want-own" "the copy box's own copy"

# Each private list loads after a "Warning" that has to be answered, or, when all is well,
# without one; the first entry picked from it shows that it is the list loaded.
printf '%s %s\r\n' "$number" "$word" >"$tmp/want-box"
load_private() { # WHAT WARNS(yes/no)
  echo "== Load Private Words: $1"
  xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
  xdotool key alt+f
  sleep 0.5
  xdotool key l
  if [[ $2 == yes ]]; then
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Warning$' | head -n1) || true
    [[ -n $box ]] || fail "$1: no \"Warning\" box"
    xdotool windowfocus --sync "$box" && xdotool key Return
    sleep 0.5
    xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
  fi
  first=$(head -n1 "$app/PriEnglish.txt" | tr -d '\r')
  click $((entry_x + 60)) $((entry_y + 9))
  xdotool type --delay 60 "$first"
  sleep 0.3
  click $((list_x + list_w / 2)) $((list_y + 8))
  sleep 0.3
  ! xdotool search --onlyvisible --name '^Warning$' >/dev/null || fail "$1: a \"Warning\" box"
  click $((box_x + 20)) $((box_y + 8))
  printf '0001 %s\r\n' "$first" >>"$tmp/want-box"
  clipboard_is "$tmp/want-box" "$1: the first entry of the list loaded after OK"
}
private() { # MODE: a private list in the reverse order, with that mode
  rm -f "$app/PriEnglish.txt"
  tac "$app/PubEnglish.txt" >"$app/PriEnglish.txt"
  chmod "$1" "$app/PriEnglish.txt"
}
private 0400
sed -i '$d' "$app/PriEnglish.txt"
load_private "a word missing" yes
rm -f "$app/PriEnglish.txt"
cp "$app/PubEnglish.txt" "$app/PriEnglish.txt"
load_private "the public order" yes
private 0602
load_private "writable by others" yes
if ((EUID == 0)); then
  private 0400
  chown 65534 "$app/PriEnglish.txt"
  load_private "another user's" yes
fi
private 0400
load_private "all well" no

echo "== French keyboard and list: e c o, then dead acute + Shift+E, c, o"
setxkbmap fr || fail "cannot switch the X keyboard to the French layout"
xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
sleep 0.3
xdotool key alt+l
sleep 0.5 # let the menu open before its item's key arrives
xdotool key f
sleep 0.3
# Twice the mode button: the copy box starts empty again, in word input.
click $((mode_x + 60)) $((mode_y + 10))
click $((mode_x + 60)) $((mode_y + 10))
click $((entry_x + 20)) $((entry_y + 9))
sleep 0.3
xdotool type --delay 60 eco
sleep 0.3
click $((list_x + list_w / 2)) $((list_y + 8))
sleep 0.3
# The dead key composes "É" in the X input context; the key handler must see it and lower it,
# or "Éco" would list nothing and the second click would pick nothing.
xdotool key --delay 60 dead_acute shift+e c o
sleep 0.3
click $((list_x + list_w / 2)) $((list_y + 8))
sleep 0.3
click $((word_x + button_w / 2)) $((word_y + button_h / 2))
printf 'école\r\nécole' >"$tmp/want-french"
clipboard_is "$tmp/want-french" "Copy Word after picking \"école\" twice"
echo "   clipboard:$(od -An -c "$tmp/clip")"

echo "== File > Exit"
# The key that ends the program can make xdotool complain about a vanished window.
xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
xdotool key alt+f || true
sleep 0.5 # let the menu open before its item's key arrives
xdotool key e || true
wait_exit "$pid" 5
pid=""
((rc == 0)) || fail "File > Exit ended with status $rc, expected 0"
echo "smoke: typed \"$prefix\", picked \"$number $word\", all clipboard and private list checks passed, picked \"école\" twice on a French keyboard, exited 0"
