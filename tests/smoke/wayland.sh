#!/usr/bin/env bash
# Quorvel as a native Wayland client (QT_QPA_PLATFORM=wayland) under a headless weston of its own:
# the window maps with the application id of its desktop entry and draws its rows; the compositor's
# close shrinks the window (it cannot be placed there) and ends within 2 s with status 0; File >
# Exit ends at once. Weston's headless back end has no seat: nothing can type or click, and
# wl-paste cannot read the clipboard ("Missing a seat"), so the clipboard's types go unchecked
# here, and the close and Exit come through the widget tests, run on the wayland platform.
SMOKE_X=0 source "$(dirname "$0")/lib.bash" "$@"
qt_tests=$(readlink -f "$2")
export WAYLAND_DISPLAY=quorvel-smoke QT_QPA_PLATFORM=wayland
start weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --no-config \
  --idle-time=0 --debug 2>"$tmp/weston.log" # --debug lets weston-screenshooter take the screen
wait_for 60 "no compositor" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"

echo "== the window, its application id and its rows"
new_app
WAYLAND_DEBUG=1 start "$app/quorvel" 2>"$tmp/protocol"
wait_for 60 "no application id" grep -q 'set_app_id("org.quorvel.Quorvel")' "$tmp/protocol"
mkdir "$tmp/shots"
dark() { # dark pixels below the panel of the latest screenshot: rows of words add some 2000
  (cd "$tmp/shots" && rm -f ./*.png && weston-screenshooter >/dev/null && mv ./*.png shot.png) &&
    convert "$tmp/shots/shot.png" -crop x600+0+40 -colorspace Gray -threshold 25% -negate \
      -format '%[fx:round(mean*w*h)]' info:
}
drawn() { (($(dark) > 1500)); }
wait_for 60 "no rows drawn: $(dark) dark pixels" drawn
[[ -z ${SMOKE_SHOT:-} ]] || cp "$tmp/shots/shot.png" "$SMOKE_SHOT"

for end in close exit; do
  echo "== the window's $end, through the widget test"
  QUORVEL_END=$end WAYLAND_DEBUG=1 timeout 30 "$qt_tests" --gtest_brief=1 \
    --gtest_filter='Session.OnWayland*' >"$tmp/test" 2>"$tmp/protocol" || fail "$end: status $?, $(cat "$tmp/test")"
  grep -q 'PASSED.*1 test' "$tmp/test" && ! grep -q SKIPPED "$tmp/test" || fail "$(cat "$tmp/test")"
  sizes=$(grep -c 'set_window_geometry' "$tmp/protocol" || true)
  [[ $end == exit ]] && ((sizes <= 1)) || { [[ $end == close ]] && ((sizes > 3)); } || fail "$end: $sizes sizes reached the compositor"
done
