#!/usr/bin/env bash
# What a screen reader gets from the built program: accessibility.py reads it through AT-SPI.
SMOKE_BUS=1 source "$(dirname "$0")/lib.bash" "$@"

# The accessibility bus first, or the program's first call would start one and wait for it.
start /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1
bus_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
wait_for 60 "no accessibility bus" bus_up
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start "$bin"
window Quorvel
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$pid" "$win"
keys alt+f e
wait_exit
((rc == 0)) || fail "File > Exit ended with status $rc"
