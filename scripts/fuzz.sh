#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given number of seconds (default 60),
# starting from the seed corpus in fuzz/corpus. Fails when a target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
rm -rf build-fuzz/artifacts
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
for target in word_file_fuzz interaction_fuzz; do
  work="build-fuzz/corpus/${target%_fuzz}"
  mkdir -p "$work" build-fuzz/artifacts
  echo "== $target for ${seconds}s"
  build-fuzz/bin/$target -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ "$work" "fuzz/corpus/${target%_fuzz}" 2>&1 |
    grep -E 'stat::number_of_executed_units|DONE|ERROR|invariant|SUMMARY' || true
  # libFuzzer leaves a crash-*/leak-*/timeout-* file for every fault it finds.
  if compgen -G "build-fuzz/artifacts/*" >/dev/null; then
    echo "$target found a fault: $(ls build-fuzz/artifacts)" >&2
    exit 1
  fi
done
