#!/usr/bin/env bash
# What a screen reader hears from the built binary, through a real screen-reader client:
# pyatspi on the desktop's accessibility bus (AT-SPI), on a private D-Bus session in Xvfb.
# The labels and buttons must be announced by the texts they show, and stay so as those
# change; a keyboard user types "ab", tabs to the candidates and picks the first with Down.
# usage: bash accessibility.sh path/to/quorvel
set -euo pipefail

# A session bus of its own, gone with the test, so nothing of the desktop's is used or left.
if [[ -z "${QUORVEL_SMOKE_IN_DBUS:-}" ]]; then
  export QUORVEL_SMOKE_IN_DBUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash" "$@"

# Whatever the buses and the program might write goes below $tmp.
mkdir -p "$tmp/home" "$tmp/config" "$tmp/cache"
mkdir -m 700 "$tmp/runtime"
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
export XDG_RUNTIME_DIR=$tmp/runtime GSETTINGS_BACKEND=memory

launcher=/usr/libexec/at-spi-bus-launcher
[[ -x "$launcher" ]] || fail "no $launcher: install at-spi2-core"
# Ended gently first, so it takes the accessibility bus and its registry down with it.
"$launcher" --launch-immediately --a11y=1 &
bus=$!
trap 'kill "$bus" 2>/dev/null && wait "$bus" 2>/dev/null; smoke_cleanup' EXIT
# Until it owns its name, the program's first call would start a second one, and wait for it.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
  sleep 0.1
done

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" &
pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n1) || true
[[ -n "$win" ]] || fail "no mapped \"Quorvel\" window within 30 s"

echo "== reading the window through AT-SPI"
/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessibility.py" "$pid" "$win" ||
  fail "the accessibility checks above failed"
running "$pid" || fail "the program ended during the checks"

echo "== File > Exit: the accessibility bridge must not hold the program up"
xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
xdotool key alt+f || true
sleep 0.5
xdotool key e || true
wait_exit "$pid" 5
pid=""
((rc == 0)) || fail "File > Exit ended with status $rc, expected 0"
echo "smoke: labels and buttons announced by their texts, a keyboard pick announced, exited 0"
