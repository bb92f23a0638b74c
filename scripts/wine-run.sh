#!/usr/bin/env bash
# Runs the Windows build's executables under Wine, in a Wine prefix of the build's own.
#   wine-run.sh PREFIX start        make the prefix if needed, start its wineserver and, when
#                                   there is no DISPLAY, an Xvfb for it
#   wine-run.sh PREFIX stop         end that wineserver and that Xvfb
#   wine-run.sh PREFIX EXE [ARG...] run EXE; its exit status is this script's
# CMake uses the last form as CMAKE_CROSSCOMPILING_EMULATOR, and ctest runs start and stop
# around the Windows tests. Nothing is downloaded: Mono and Gecko are switched off.
set -euo pipefail

prefix=$1
shift
mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
display_file=$prefix.display  # the Xvfb's display number and process id, from start
ready=$prefix/.quorvel-ready

# The first run makes the prefix, under a lock so that two tests started together do not both
# make it; a prefix left half made by a killed run is made again.
ensure_prefix() {
  exec 9>"$prefix.lock"
  flock 9
  if [[ ! -e "$ready" ]]; then
    rm -rf "$prefix"
    wineboot --init </dev/null >/dev/null 2>&1 || true
    # A test that crashes ends with a backtrace instead of waiting on a crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1 || true
    wineserver --wait || true
    [[ -e "$prefix/system.reg" ]] || { echo "wine-run: could not make $prefix" >&2; exit 1; }
    touch "$ready"
  fi
  flock -u 9
  exec 9>&-
}

# The display of a running Xvfb that start left, if any.
recorded_display() {
  local number pid
  [[ -r "$display_file" ]] || return 1
  read -r number pid <"$display_file" || return 1
  kill -0 "$pid" 2>/dev/null || return 1
  echo ":$number"
}

case "${1:-}" in
  start)
    ensure_prefix
    if [[ -z "${DISPLAY:-}" ]] && ! recorded_display >/dev/null; then
      # Xvfb writes the display number it chose to fd 3; nothing of ctest's stays open in it.
      setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$display_file.new" </dev/null >/dev/null 2>&1 &
      pid=$!
      for _ in $(seq 100); do
        [[ -s "$display_file.new" ]] && break
        sleep 0.1
      done
      echo "$(head -n1 "$display_file.new") $pid" >"$display_file"
      rm -f "$display_file.new"
    fi
    started=""
    if [[ -z "${DISPLAY:-}" ]]; then
      started=$(awk '{print $2}' "$display_file" 2>/dev/null || true)
      DISPLAY=$(recorded_display) || true
      export DISPLAY
    fi
    # A server that outlives each test by five minutes, started with nothing of ctest's open,
    # so that no test waits for it to end and the next one does not pay for its start.
    setsid wineserver --persistent=300 </dev/null >/dev/null 2>&1 || true
    setsid wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    # Should stop never come (an interrupted ctest), the Xvfb ends with that server.
    if [[ -n "$started" ]]; then
      setsid bash -c 'wineserver --wait; kill "$0"' "$started" </dev/null >/dev/null 2>&1 &
    fi
    ;;
  stop)
    wineserver --kill 2>/dev/null || true
    if [[ -r "$display_file" ]]; then
      read -r _ pid <"$display_file" || true
      [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true
      rm -f "$display_file"
    fi
    ;;
  "")
    echo "usage: wine-run.sh PREFIX start|stop|EXE [ARG...]" >&2
    exit 2
    ;;
  *)
    ensure_prefix
    if [[ -z "${DISPLAY:-}" ]]; then
      if display=$(recorded_display); then
        export DISPLAY=$display
      else
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" wine "$@"
      fi
    fi
    exec wine "$@"
    ;;
esac
