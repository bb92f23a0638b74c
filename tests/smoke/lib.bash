# Sourced first by each whole-program check: takes the built program ($bin), gives the check an
# X server of its own (SMOKE_SCREEN, none with SMOKE_X=0; a session and an accessibility bus too,
# with SMOKE_BUS=1) and a scratch folder ($tmp), and ends what `start` started. Every wait polls
# with generous deadlines.
set -euo pipefail
[[ $# -ge 1 && -x $1 ]] || { echo "usage: bash $0 path/to/quorvel" >&2 && exit 2; }
[[ ${SMOKE_BUS:-} != 1 || -n ${SMOKE_IN_BUS:-} ]] || SMOKE_IN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
bin=$(readlink -f "$1") tmp=$(mktemp -d) pids=()
stop_all() { # latest first, each asked to end: the accessibility bus launcher takes its bus down
  local i end=$((SECONDS + 10))
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
    while running "${pids[i]}" && ((SECONDS < end)); do sleep 0.05; done
    kill -9 "${pids[i]}" 2>/dev/null
  done
  rm -rf "$tmp"
}
trap 'stop_all || true' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
running() { [[ $(cat "/proc/$1/stat" 2>/dev/null) =~ \)\ [^Z] ]]; } # a zombie has ended
ended() { ! running "$1"; }
wait_for() { # SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, or fails with WHAT
  local end=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do ((SECONDS < end)) && sleep 0.1 || fail "$what"; done
}
start() { "$@" & pid=$! && pids+=("$pid"); }
wait_exit() { # sets rc to the exit status
  wait_for 60 "the program is still running after a minute" ended "$pid"
  rc=0 && wait "$pid" || rc=$?
}
mapped() { found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n $found ]]; }
window() { wait_for 60 "no \"$1\" window" mapped "$1" && win=$found; }
# Through XTEST, as a keyboard's; keys after one that opens a menu go to it however late it shows.
keys() { xdotool windowfocus --sync "$win" key --delay 50 "$@"; }
new_app() { # a program folder of its own, $app
  app=$(mktemp -d "$tmp/app.XXXX")
  cp "$bin" "$(dirname "$bin")"/Pub*.txt "$app/"
}
hint() { timeout 10 xclip -selection clipboard -t x-kde-passwordManagerHint -o 2>&1; }
clipboard_is_want() {
  timeout 10 xclip -selection clipboard -o >"$tmp/clip" 2>/dev/null && cmp -s "$tmp/clip" "$tmp/want" && [[ $(hint) == secret ]]
}
expect_clipboard() { # BYTES WHAT: the clipboard holds exactly BYTES, marked to stay out of histories
  printf %s "$1" >"$tmp/want"
  local end=$((SECONDS + 60))
  until clipboard_is_want; do
    ((SECONDS < end)) && sleep 0.1 || fail "$2: the clipboard holds$(od -An -c "$tmp/clip"), marked $(hint)"
  done
}

mkdir -m 700 "$tmp/runtime"
export HOME=$tmp XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
[[ ${SMOKE_X:-1} == 1 ]] || return 0
# Xvfb takes a free display itself, so parallel runs never clash; with -noreset it never turns
# away a client that connects while the last one leaves.
Xvfb -displayfd 3 -screen 0 "${SMOKE_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids+=("$!")
display_ready() { read -r display <"$tmp/display"; } 2>/dev/null
wait_for 60 "no X server" display_ready
export DISPLAY=:$display
unset QT_QPA_PLATFORM # the real X11 back end
if [[ ${SMOKE_BUS:-} == 1 ]]; then # the accessibility bus first, or the program would start one and wait
  start /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1
  bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
  }
  wait_for 60 "no accessibility bus" bus_up
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi
