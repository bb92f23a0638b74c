#!/usr/bin/env bash
# One entry point for developers and CI:
#   bash scripts/dev.sh run    install what is missing, build, open the window
#   bash scripts/dev.sh test   install what is missing, build everything, run all tests headless,
#                              run each fuzz target for a minute, then all tests again under
#                              the sanitizers
#   bash scripts/dev.sh build  install what is missing, build everything
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=build

usage() {
  echo "usage: bash scripts/dev.sh run|test|build" >&2
  exit 2
}

configure() {
  bash scripts/setup.sh
  if [[ -f "$build_dir/CMakeCache.txt" ]]; then
    # Keep whatever generator the existing tree was made with.
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  else
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
}

cmd=${1:-}
case "$cmd" in
  run)
    configure
    cmake --build "$build_dir" --target quorvel
    if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
      cat <<'MSG'
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
To run Quorvel headless, use a virtual X server:
    xvfb-run -a build/bin/quorvel
or Qt's offscreen platform:
    QT_QPA_PLATFORM=offscreen build/bin/quorvel
Starting it under xvfb-run -a now; press Ctrl+C to end it.
MSG
      exec xvfb-run -a "$build_dir/bin/quorvel"
    fi
    exec "$build_dir/bin/quorvel"
    ;;
  test)
    configure
    cmake --build "$build_dir"
    ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2
    # The fuzz targets keep building, and each holds up for a minute from the seed corpus.
    bash scripts/fuzz.sh 60
    # The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer; last, so
    # that the run closes on the test summary.
    cmake --preset sanitize
    cmake --build build-sanitize
    ctest --preset sanitize --no-tests=error -j2
    ;;
  build)
    configure
    cmake --build "$build_dir"
    ;;
  *)
    usage
    ;;
esac
