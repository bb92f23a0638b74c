#!/usr/bin/env bash
# Natively on Wayland, under a headless weston: the window maps with its desktop entry's app id and
# draws its rows; the compositor's close shrinks it (it cannot be placed) and ends within 2 s, File >
# Exit at once (driven by the widget test: the seatless back end takes no input), both with 0. Nor
# can wl-paste read the clipboard there ("Missing a seat"): its types and bytes go unchecked.
SMOKE_X=0 source "$(dirname "$0")/lib.bash" "$@"
export WAYLAND_DISPLAY=quorvel-smoke QT_QPA_PLATFORM=wayland
start weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --no-config --idle-time=0 --debug 2>/dev/null # --debug: for weston-screenshooter
wait_for 60 "no compositor" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
new_app; WAYLAND_DEBUG=1 start "$app/quorvel" 2>"$tmp/protocol"
wait_for 60 "no application id" grep -q 'set_app_id("org.quorvel.Quorvel")' "$tmp/protocol"
drawn() { # dark pixels below the panel: the word list's rows make some 2000, the rest 700
  (cd "$tmp" && rm -f wayland-*.png && weston-screenshooter >/dev/null && mv wayland-*.png shot.png) &&
    (($(convert "$tmp/shot.png" -crop x600+0+40 -colorspace Gray -threshold 25% -negate -format '%[fx:round(mean*w*h)]' info:) > 1500)); }
wait_for 60 "no rows drawn" drawn
for run in "close 4 999" "exit 0 1"; do # the sizes the compositor is told: only the first on Exit
  read -r end least most <<<"$run" && QUORVEL_END=$end WAYLAND_DEBUG=1 timeout 30 "$2" --gtest_filter='Session.OnWayland*' \
    >"$tmp/test" 2>"$tmp/protocol" || fail "$end: $(cat "$tmp/test")"
  sizes=$(grep -c set_window_geometry "$tmp/protocol") || true; ((sizes >= least && sizes <= most)) || fail "$end: $sizes sizes"
done
