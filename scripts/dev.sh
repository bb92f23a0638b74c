#!/usr/bin/env bash
# One entry point for developers and CI:
#   bash scripts/dev.sh run    install what is missing, build, open the window
#   bash scripts/dev.sh test   install what is missing, build everything, run all tests headless,
#                              cross-build for Windows and run its tests under Wine, run each
#                              fuzz target for a minute, then all tests again under the
#                              sanitizers
#   bash scripts/dev.sh build  install what is missing, build everything
#
# The build options live in CMakePresets.json; under CI (CI=true, 1 or yes) the presets turn
# compiler warnings into errors.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=build  # the default preset's

usage() {
  echo "usage: bash scripts/dev.sh run|test|build" >&2
  exit 2
}

configure() {
  bash scripts/setup.sh
  cmake --preset default
}

cmd=${1:-}
case "$cmd" in
  run)
    configure
    cmake --build --preset default --target quorvel
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
    bash scripts/setup.sh
    cmake --workflow --preset default
    # The Windows program, cross-built with MinGW-w64, and its tests and smoke session under Wine.
    cmake --workflow --preset windows
    # The fuzz targets keep building, and each holds up for a minute from the seed corpus.
    bash scripts/fuzz.sh 60
    # The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer; last, so
    # that the run closes on the test summary.
    cmake --workflow --preset sanitize
    ;;
  build)
    configure
    cmake --build --preset default
    ;;
  *)
    usage
    ;;
esac
