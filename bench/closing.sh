#!/usr/bin/env bash
# Times the closing movement under openbox on a 1280 x 1024 screen, started as a user's Alt+F4
# starts it: from the key to the program's end, and where openbox last put the window (its client
# area). Usage: bash bench/closing.sh build/bin/quorvel [CLOSES, 10 unless given]
SMOKE_SCREEN=1280x1024 source "$(dirname "$0")/../tests/smoke/lib.bash" "$1"
start openbox --sm-disable &>/dev/null
wait_for 60 "openbox does not start" eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
new_app
for ((i = 1; i <= ${2:-10}; i++)); do
  start "$app/quorvel"; window Quorvel
  stdbuf -oL xev -id "$win" -event structure >"$tmp/xev" & pids+=("$!")
  sleep 0.5 # until xev listens
  keys alt+F4; from=${EPOCHREALTIME/./}
  while running "$pid"; do sleep 0.005; done
  took=$(((${EPOCHREALTIME/./} - from) / 1000)) && rc=0 && wait "$pid" || rc=$?
  last=$(grep -A1 '^ConfigureNotify.*synthetic YES' "$tmp/xev" | tail -n1 |
    sed 's/.*(\(.*\),\(.*\)), width \([0-9]*\), height \([0-9]*\).*/\1,\2 \3 x \4/')
  echo "close $i: status $rc after $took ms, last at $last"
done
