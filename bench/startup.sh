#!/usr/bin/env bash
# Start-up and the worst key press, each against a bare QListView floor measured in the same
# run, printed as ratios. In a private Xvfb:
#   - Quorvel and list_floor (a bare window with only a QListView over a QStringListModel,
#     uniform row heights, where the master list is) start with the shipped English list and
#     with a list of 1,000,000 words written here; time_to_window times each from its start
#     to its mapped window and to its first answer once shown, and reads its peak memory.
#     The runs alternate between the programs so that both meet the same load; medians.
#   - keypress_qt_bench: the first digit in number input against the bare list's fill.
# usage: bash bench/startup.sh [BUILD_DIR] [RUNS]     (after a build; RUNS defaults to 9)
set -euo pipefail

build=$(readlink -f "${1:-build}")
runs=${2:-9}
bin="$build/bin"
for tool in quorvel list_floor time_to_window keypress_qt_bench PubEnglish.txt; do
  [[ -e "$bin/$tool" ]] || {
    echo "startup: $bin/$tool is missing; build first" >&2
    exit 2
  }
done

if [[ -z "${QUORVEL_BENCH_IN_XVFB:-}" ]]; then
  export QUORVEL_BENCH_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" "$runs"
fi
unset QT_QPA_PLATFORM # the real xcb back end, not the offscreen one

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Quorvel reads PubEnglish.txt beside itself: one program directory per list.
for list in shipped million; do
  mkdir "$tmp/$list"
  cp "$bin/quorvel" "$tmp/$list/"
done
cp "$bin/PubEnglish.txt" "$tmp/shipped/"
bash "$(dirname "${BASH_SOURCE[0]}")/million_words.sh" >"$tmp/million/PubEnglish.txt"

# measure LIST PROGRAM: one start, appended to the results as "LIST PROGRAM MAPPED ANSWER KIB".
measure() {
  local line
  if [[ $2 == quorvel ]]; then
    line=$("$bin/time_to_window" "$tmp/$1/quorvel" 2>/dev/null)
  else
    line=$("$bin/time_to_window" "$bin/list_floor" "$tmp/$1/PubEnglish.txt" 2>/dev/null)
  fi
  echo "$1 $2 $line" >>"$tmp/results"
}

echo "startup: $runs runs of each program with each list (machine load: $(cut -d' ' -f1-3 /proc/loadavg))"
for ((run = 1; run <= runs; run++)); do
  for list in shipped million; do
    if ((run % 2)); then
      measure "$list" quorvel
      measure "$list" floor
    else
      measure "$list" floor
      measure "$list" quorvel
    fi
  done
done

# median LIST PROGRAM FIELD: the median of one column of the results (3, 4 or 5).
median() {
  awk -v l="$1" -v p="$2" -v f="$3" '$1 == l && $2 == p { print $f }' "$tmp/results" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
printf '%-18s %-30s %-30s %-30s\n' "word list" "to mapped window (s)" "to first answer (s)" \
  "peak memory, VmHWM (MB)"
printf '%-18s %-30s %-30s %-30s\n' "" "quorvel / floor = ratio" "quorvel / floor = ratio" \
  "quorvel / floor = ratio"
for list in shipped million; do
  row=()
  for field in 3 4 5; do
    q=$(median "$list" quorvel "$field")
    f=$(median "$list" floor "$field")
    if ((field == 5)); then
      row+=("$(awk -v q="$q" -v f="$f" 'BEGIN { printf "%.1f / %.1f = %.2fx", q / 1024, f / 1024, q / f }')")
    else
      row+=("$(awk -v q="$q" -v f="$f" 'BEGIN { printf "%.3f / %.3f = %.2fx", q, f, q / f }')")
    fi
  done
  name=$([[ $list == shipped ]] && echo "shipped (2048)" || echo "1,000,000 words")
  printf '%-18s %-30s %-30s %-30s\n' "$name" "${row[@]}"
done
echo "goals: shipped list at most 1.05x in time and memory; 1,000,000 words at most 1.00x"

echo
echo "keypress_qt_bench (offscreen):"
"$bin/keypress_qt_bench" --benchmark_color=false 2>/dev/null | grep -E '^BM_|^key press'
