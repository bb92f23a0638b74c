#!/usr/bin/env bash
# Regenerates docs/screenshot.png, docs/screenshot-menu.png and docs/screenshot-scale2.png:
# starts the built program in a private Xvfb, types a couple of letters and picks a few
# candidates, captures the window, opens the File menu and captures it over the window, and
# ends the program (File > Exit). The last picture is the same session at QT_SCALE_FACTOR=2,
# on a larger screen, to show the window at 200% scaling.
# usage: [PICKS=...] [SCALES="1 2"] bash scripts/screenshot.sh [path/to/quorvel] [letters]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$(readlink -f "${1:-$root/build/bin/quorvel}") || bin=${1:-}
letters=${2:-ab}

if [[ ! -x "$bin" ]]; then
  echo "screenshot: $bin not found; build first (bash scripts/dev.sh build)" >&2
  exit 1
fi

if [[ -z "${QUORVEL_SCREENSHOT_SCALE:-}" ]]; then
  for scale in ${SCALES-1 2}; do
    [[ "$scale" =~ ^[1-9]$ ]] || { echo "screenshot: scale $scale is not 1 to 9" >&2; exit 1; }
    screen=1024x768x24
    ((scale == 1)) || screen=$((800 * scale))x$((600 * scale))x24
    QUORVEL_SCREENSHOT_SCALE=$scale xvfb-run -a -s "-screen 0 $screen" bash "$0" "$bin" "$letters"
  done
  exit 0
fi
unset QT_QPA_PLATFORM
scale=$QUORVEL_SCREENSHOT_SCALE
if ((scale == 1)); then
  out=$root/docs/screenshot.png
  unset QT_SCALE_FACTOR
else
  out=$root/docs/screenshot-scale$scale.png
  export QT_SCALE_FACTOR=$scale
fi

"$bin" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n1) || true
if [[ -z "$win" ]]; then
  echo "screenshot: no \"Quorvel\" window within 30 s" >&2
  exit 1
fi
sleep 1 # first paint
xdotool windowfocus --sync "$win"
if [[ -n "$letters" ]]; then
  xdotool type --delay 150 "$letters"
fi
sleep 1
# Then pick candidates, so the copy box and the pick count show something too. PICKS is a list
# of "x,y letters" steps: click at x,y in the window, then type the letters. The default picks
# the second "ab" candidate, then the first "zo" one, then types "ab" again; the points are
# the candidates list's second and first rows and the entry box in the current layout, in
# pixels at scale 1 (they are multiplied by the scale factor). PICKS= (empty) skips this.
PICKS=${PICKS-"330,80;360,52 zo;330,67;360,52 ab"}
if [[ -n "$PICKS" ]]; then
  IFS=';' read -ra steps <<<"$PICKS"
  for step in "${steps[@]}"; do
    read -r point more <<<"$step"
    xdotool mousemove --window "$win" $((${point%,*} * scale)) $((${point#*,} * scale)) click 1
    sleep 0.5
    [[ -z "${more:-}" ]] || xdotool type --delay 150 "$more"
    sleep 0.5
  done
fi

mkdir -p "$(dirname "$out")"
import -window "$win" "png:$out.tmp"
mv "$out.tmp" "$out"

if ((scale == 1)); then
  # Opened with the mouse on "File", so no item is highlighted. The drop-down is a window of
  # its own that lies over the program's, so the screen is taken where the window is.
  xdotool mousemove --window "$win" 19 9 click 1
  sleep 0.5
  menu_out=$root/docs/screenshot-menu.png
  eval "$(xdotool getwindowgeometry --shell "$win")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "png:$menu_out.tmp"
  mv "$menu_out.tmp" "$menu_out"
  echo "screenshot: wrote $menu_out ($(identify -format '%wx%h' "$menu_out"))"
else
  xdotool key alt+f || true
  sleep 0.5
fi
xdotool key e || true
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
echo "screenshot: wrote $out ($(identify -format '%wx%h' "$out"))"
