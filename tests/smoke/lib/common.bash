# Shared by the whole-program smoke tests. Source it first thing, with the script's arguments:
#   source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash" "$@"
# It checks the one argument (the built quorvel), sets $bin to its full path, re-runs the
# calling script inside a private Xvfb, and gives a scratch folder $tmp that is removed, with
# every process in $pids (and $pid), when the script ends.

if [[ $# -ne 1 || ! -x "$1" ]]; then
  echo "usage: bash $0 path/to/quorvel" >&2
  exit 2
fi
bin=$(readlink -f "$1")

# xvfb-run passes the script's exit status through.
if [[ -z "${QUORVEL_SMOKE_IN_XVFB:-}" ]]; then
  export QUORVEL_SMOKE_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$bin"
fi
unset QT_QPA_PLATFORM # the real xcb back end, not the offscreen one

tmp=$(mktemp -d)
pid=""
pids=()
smoke_cleanup() {
  local p
  for p in "$pid" "${pids[@]}"; do
    [[ -z "$p" ]] || kill -9 "$p" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap smoke_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# True while the process runs; a zombie (ended, not yet reaped) counts as ended.
running() {
  [[ -r /proc/$1/stat ]] || return 1
  local stat
  stat=$(<"/proc/$1/stat") || return 1
  stat=${stat##*) }
  [[ ${stat%% *} != Z ]]
}

# wait_exit PID SECONDS: waits for PID to end and sets rc to its exit status.
wait_exit() {
  local pid=$1 deadline=$((SECONDS + $2))
  while running "$pid"; do
    ((SECONDS < deadline)) || fail "process $pid still running after $2 s"
    sleep 0.05
  done
  rc=0
  wait "$pid" || rc=$?
}
