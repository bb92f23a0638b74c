#!/usr/bin/env bash
# What a screen reader gets from the built program: accessibility.py reads it through AT-SPI.
SMOKE_BUS=1 source "$(dirname "$0")/lib.bash" "$@"

start "$bin"
window Quorvel
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$pid" "$win"
keys alt+f e
wait_exit
((rc == 0)) || fail "File > Exit ended with status $rc"
