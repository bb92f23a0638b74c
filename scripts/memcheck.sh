#!/usr/bin/env bash
# Memory figures of a whole session in the real window (offscreen): the widget test
# Session.TypePickCopyMakeAPrivateListAndExit takes it through start-up, lookups by word, by
# number, 32 picks, the three exports, a private list and File > Exit:
#   - resident size right after start-up (native runs; valgrind would inflate it);
#   - leaks and memory errors under valgrind memcheck (tools/valgrind.supp hides Qt's own), and
#     which of them belong to the program's code (the nearest repository frame is in src/);
#   - peak heap under heaptrack (installed with apt-get when missing) and under valgrind massif.
# Fails when the session fails a check, when valgrind reports a definite leak or any memory
# error, or when a leak record or error involves src/.
# usage: bash scripts/memcheck.sh [BUILD-DIR]   (default: build-memcheck, configured if new)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build-memcheck}")

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target quorvel_qt_tests
driver=("$build/bin/quorvel_qt_tests" --gtest_filter=Session.TypePickCopyMakeAPrivateListAndExit)

command -v valgrind >/dev/null || {
  echo "memcheck: valgrind is not installed (apt-get install valgrind)" >&2
  exit 2
}
if ! command -v heaptrack >/dev/null && [[ $(id -u) -eq 0 ]]; then
  apt-get install -y heaptrack >/dev/null 2>&1 || echo "memcheck: could not install heaptrack" >&2
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

# --- resident size after start-up ------------------------------------------------------------
echo "== resident size after start-up (3 native runs)"
rss=()
for _ in 1 2 3; do
  out=$("${driver[@]}" 2>"$tmp/native.err") || {
    cat "$tmp/native.err" >&2
    echo "memcheck: the session failed natively" >&2
    exit 1
  }
  rss+=("$(awk '/^rss-after-startup-kb/ {print $2}' <<<"$out")")
done
mapfile -t sorted < <(printf '%s\n' "${rss[@]}" | sort -n)
echo "   VmRSS after start-up: ${rss[*]} kB (median ${sorted[1]} kB)"

# --- valgrind memcheck ------------------------------------------------------------------------
echo "== valgrind memcheck"
vg_rc=0
valgrind --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite \
  --error-exitcode=1 --suppressions="$root/tools/valgrind.supp" --num-callers=40 \
  --fullpath-after="$root/" --log-file="$tmp/memcheck.log" \
  "${driver[@]}" >"$tmp/memcheck.out" 2>&1 || vg_rc=$?
grep -E 'definitely lost:|indirectly lost:|possibly lost:|still reachable:|suppressed:|ERROR SUMMARY' \
  "$tmp/memcheck.log" | sed -E 's/^==[0-9]+== +/   /'
# Each record is a block of log lines ending in an empty one. A record belongs to the frame
# nearest the allocation (or the faulty access) that lies in this repository: src/ is the
# program's code, tests/ the session's; a record with no such frame is Qt's or the system's.
# Outer frames do not count: every event handler runs below QtPlatform::run().
awk -v out="$tmp/records" '
  { sub(/^==[0-9]+== ?/, "") }
  /^$/ {
    if (block ~ /are (definitely|indirectly) lost/ || block ~ /^(Invalid|Conditional jump|Use of uninitialised|Syscall param|Mismatched|Source and destination|Argument .size.|Jump to)/) {
      owner = "libraries"; frame = ""
      if (match(block, /\((src|tests)\/[^:)]+:[0-9]+\)/)) {
        frame = substr(block, RSTART + 1, RLENGTH - 2)
        owner = (frame ~ /^src\//) ? "src" : "tests"
      }
      count[owner]++
      split(block, lines, "\n")
      printf "%s\t%s\t%s\n", owner, lines[1], frame > out
    }
    block = ""; next
  }
  { block = block $0 "\n" }
  END {
    printf "   leak records and errors: %d in src/, %d in tests/, %d in libraries only\n",
      count["src"], count["tests"], count["libraries"]
  }
' "$tmp/memcheck.log"
if [[ -s "$tmp/records" ]]; then
  awk -F'\t' '{ printf "   [%s] %s%s\n", $1, $2, ($3 == "" ? "" : " at " $3) }' "$tmp/records"
fi
if grep -q '^src' "$tmp/records" 2>/dev/null; then
  echo "memcheck: leaks or memory errors in the program's code (src/), see above" >&2
  failed=1
fi
if ((vg_rc != 0)); then
  tail -n 20 "$tmp/memcheck.out" >&2
  echo "memcheck: valgrind reported errors or the session failed (status $vg_rc)" >&2
  failed=1
fi

# --- peak heap --------------------------------------------------------------------------------
echo "== peak heap"
if command -v heaptrack >/dev/null && command -v heaptrack_print >/dev/null; then
  heaptrack -o "$tmp/heaptrack" "${driver[@]}" >"$tmp/heaptrack.out" 2>&1 || {
    cat "$tmp/heaptrack.out" >&2
    failed=1
  }
  heaptrack_print -p 0 -a 0 -T 0 -l 0 "$tmp"/heaptrack.*zst 2>/dev/null |
    grep -E 'peak heap memory consumption|total memory leaked|calls to allocation' |
    sed 's/^/   heaptrack: /'
  echo "   (heaptrack's \"leaked\" counts everything not freed at exit, Qt's caches included)"
else
  echo "   heaptrack: not available"
fi
valgrind --tool=massif --massif-out-file="$tmp/massif.out" "${driver[@]}" >/dev/null 2>&1 ||
  failed=1
# Peak of the requested bytes plus the allocator's own overhead, over all snapshots.
awk -F= '
  /^mem_heap_B=/ { heap = $2 }
  /^mem_heap_extra_B=/ { total = heap + $2; if (total > peak) { peak = total; useful = heap } }
  END { printf "   massif: peak heap %.2f MiB (%d bytes requested + allocator overhead)\n", peak / 1048576, useful }
' "$tmp/massif.out"

if ((failed)); then
  echo "memcheck: FAILED" >&2
  exit 1
fi
echo "memcheck: passed"
