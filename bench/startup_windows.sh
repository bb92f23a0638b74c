#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a bare Win32 floor (win32_list_floor.exe:
# one LISTBOX filled with the same rows by LB_ADDSTRING after LB_INITSTORAGE), with the shipped
# English list and with a list of 1,000,000 words, in turn in the same run; medians of RUNS.
# Each start is timed from the launch to the mapped window (polled every 20 ms) and its peak
# memory read from the Wine process (VmHWM). Then, in the same Wine session, the worst key
# press (keypress_windows.exe, found beside QUORVEL_EXE: "1" in number input, 1000 candidates)
# against a bare LISTBOX refilled with the same rows, KEY_ROUNDS rounds in turn in one process.
# These are Wine figures, not Windows ones. RUNS=0 runs the key press alone.
# usage: bash bench/startup_windows.sh QUORVEL_EXE FLOOR_EXE [RUNS] [KEY_ROUNDS]
#   (a Windows build configured with -DQUORVEL_BENCH=ON builds bin/win32_list_floor.exe and
#   bin/keypress_windows.exe)
set -euo pipefail
exe=$(readlink -f "$1") floor=$(readlink -f "$2") runs=${3:-5} key_rounds=${4:-300}
keypress=$(dirname "$exe")/keypress_windows.exe
[[ -e $keypress ]] || { echo "startup_windows: $keypress is missing; build it first" >&2; exit 2; }
tmp=$(mktemp -d) pids=()
cleanup() {
  WINEPREFIX=$tmp/prefix wineserver -k 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids+=("$!")
until { read -r display <"$tmp/display"; } 2>/dev/null; do sleep 0.1; done
export DISPLAY=:$display WINEPREFIX=$tmp/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
# Unmanaged, Wine waits on every window it maps; a window manager, where there is one, spares
# both programs that wait.
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & pids+=("$!"); fi
wineboot --init >/dev/null 2>&1 || true
wineserver -p 2>/dev/null || true

# Both stripped, as the zip ships the program: Wine reads a MinGW executable's sections, debug
# information included, into memory, where Windows would map them and touch none of it.
for list in shipped million; do
  mkdir "$tmp/$list"
  x86_64-w64-mingw32-strip -o "$tmp/$list/quorvel.exe" "$exe"
  x86_64-w64-mingw32-strip -o "$tmp/$list/win32_list_floor.exe" "$floor"
done
cp "$(dirname "$exe")/PubEnglish.txt" "$tmp/shipped/"
bash "$(dirname "${BASH_SOURCE[0]}")/million_words.sh" >"$tmp/million/PubEnglish.txt"

now() { date +%s.%N; }
# measure LIST PROGRAM: one start, appended to the results as "LIST PROGRAM SECONDS KIB".
measure() {
  local title=Quorvel name=quorvel.exe args=() start pid found=""
  [[ $2 == floor ]] && title=floor name=win32_list_floor.exe args=(PubEnglish.txt)
  start=$(now)
  (cd "$tmp/$1" && exec wine "./$name" "${args[@]}" >/dev/null 2>&1) &
  local launcher=$!
  local deadline=$((SECONDS + 900))
  until found=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null) && [[ -n $found ]]; do
    ((SECONDS < deadline)) || { echo "startup_windows: no $title window after 15 minutes" >&2; exit 1; }
    sleep 0.02
  done
  local mapped
  mapped=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }')
  sleep 1
  # The process that owns the window, and only if it runs here: other programs of the same
  # name (another build's linker, say) are none of this script's business.
  pid=$(xdotool getwindowpid "${found%%$'\n'*}" 2>/dev/null) || true
  [[ -n $pid && $(readlink "/proc/$pid/cwd" 2>/dev/null) == "$tmp/$1" ]] || {
    echo "startup_windows: the $title window belongs to no process of this run" >&2
    exit 1
  }
  local peak
  peak=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  echo "$1 $2 $mapped $peak" >>"$tmp/results"
  echo "  $1 $2: window after $mapped s, peak $peak KiB"
}

echo "startup_windows: $runs runs of each program with each list (load: $(cut -d' ' -f1-3 /proc/loadavg))"
# The first program a new prefix starts waits seconds for Wine to finish setting it up; one
# start of each, not counted, leaves both programs the same prefix to start in.
if ((runs > 0)); then
  measure shipped quorvel >/dev/null && measure shipped floor >/dev/null
  : >"$tmp/results"
fi
for ((run = 1; run <= runs; run++)); do
  for list in shipped million; do
    if ((run % 2)); then measure "$list" quorvel && measure "$list" floor
    else measure "$list" floor && measure "$list" quorvel; fi
  done
done

median() {
  awk -v l="$1" -v p="$2" -v f="$3" '$1 == l && $2 == p { print $f }' "$tmp/results" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
if ((runs > 0)); then
  echo "startup_windows: load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  printf '%-18s %-30s %-30s\n' "word list" "to mapped window (s)" "peak memory, VmHWM (MB)"
  for list in shipped million; do
    t=$(awk -v q="$(median $list quorvel 3)" -v f="$(median $list floor 3)" \
      'BEGIN { printf "%.3f / %.3f = %.2fx", q, f, q / f }')
    m=$(awk -v q="$(median $list quorvel 4)" -v f="$(median $list floor 4)" \
      'BEGIN { printf "%.1f / %.1f = %.2fx", q / 1024, f / 1024, q / f }')
    printf '%-18s %-30s %-30s\n' "$list" "$t" "$m"
  done
  echo "(quorvel / floor; under Wine; goals: shipped at most 1.10x, 1,000,000 words at most 1.00x)"
fi

mkdir "$tmp/keypress"
cp "$keypress" "$(dirname "$exe")/PubEnglish.txt" "$tmp/keypress/"
echo
echo "keypress_windows: load before: $(cut -d' ' -f1-3 /proc/loadavg)"
(cd "$tmp/keypress" && wine ./keypress_windows.exe "$key_rounds")
echo "keypress_windows: load after: $(cut -d' ' -f1-3 /proc/loadavg)"
