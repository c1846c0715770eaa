#!/usr/bin/env bash
# Saves PNGs of the demo window into build/screenshots/:
#   normal.png          normal mode, the composite gaming mouse selected (the start state)
#   process-parent.png  "Process Parent" ticked by a click
#   all-devices.png     started with /ALL
#   dpi144.png          at 144 pixels per inch (LogPixels=144 in the prefix)
#   health.png          the health window, opened from the grid's context menu
#   measure.png         the measuring window on the plain mouse after its rate was set
#                       to 1000 and the mouse restarted: intervals flat at 1 ms
# Each runs the demo program under 64-bit Wine on a private X screen; xdotool moves
# the pointer out of the way (so no hint shows) and makes the click.
# QUORVIN_BUILD chooses the x86_64 build folder (default build/x86_64).
set -euo pipefail
source "$(dirname "$0")/window-lib.sh"

window_build_demo
window_use_prefix
trap 'window_stop_demo; wine_cleanup' EXIT
window_private_display
wine_ensure_prefix

# One picture: a fresh registry (plus a .reg file, or "-"), the demo with its
# arguments, an optional action, the capture.
shoot() {
  local name="$1" reg="$2" action="$3"
  shift 3
  wine_restore_registry
  if [[ "$reg" != - ]]; then
    "$WINE64" regedit /S "$(wine_windows_path "$reg")" >/dev/null 2>&1 ||
      wine_fail "importing $reg failed"
  fi
  window_start_demo "$@"
  "$action"
  window_capture "$SCREENSHOTS/$name.png"
  window_stop_demo
}

nothing() { :; }

# Clicks "Process Parent": 20 pixels into the box at its place in the top panel,
# which starts at the top of the client area, below the frame.
tick_process_parent() {
  local x y w h frame caption
  read -r x y w h < <(window_geometry)
  frame=$(((w - 955) / 2))
  caption=$((h - 318 - frame))
  xdotool mousemove $((x + frame + 137 + 20)) $((y + caption + 11 + 8)) click 1
  sleep 0.3
  xdotool mousemove 0 0
  sleep 1
}

# The top-left corner of the client area on the screen.
client_origin() {
  local x y w h frame
  read -r x y w h < <(window_geometry)
  frame=$(((w - 955) / 2))
  echo $((x + frame)) $((y + h - 318 - frame))
}

# Clicks at a point of the client area.
click_client() {
  local cx cy
  read -r cx cy < <(client_origin)
  xdotool mousemove $((cx + $1)) $((cy + $2)) click 1
  sleep 0.5
}

# Waits for a window of the demo with this title, and saves it as a PNG.
capture_titled() {
  local title="$1" file="$2" tries geometry
  for ((tries = 0; tries < 50; tries++)); do
    xwininfo -name "$title" >/dev/null 2>&1 && break
    sleep 0.1
  done
  geometry=$(xwininfo -name "$title" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h "+" x "+" y}') ||
    wine_fail "no window \"$title\""
  import -window root -crop "$geometry" +repage "$file"
  wine_log "saved $file ($geometry)"
}

# The grid's first row (the plain mouse, in the order of instance IDs), then its
# context menu from the keyboard and the item with this access key.
grid_menu() {
  click_client 60 $((38 + 21 + 10))
  xdotool key shift+F10
  sleep 0.5
  xdotool key "$1"
  sleep 1
}

shoot_health() {
  wine_restore_registry
  window_start_demo
  grid_menu h
  xdotool mousemove 0 0
  sleep 0.5
  capture_titled "Filter health" "$SCREENSHOTS/health.png"
  window_stop_demo
}

# 1000 chosen in the rate list (Home, Down), Restart pressed, then the pointer moved
# over the measuring window for a few seconds: the demo moves the measured device
# while the pointer moves over the program.
shoot_measure() {
  local title="Polling rate - USB Optical Mouse" x y w h i
  wine_restore_registry
  window_start_demo
  click_client 60 $((38 + 21 + 10))
  click_client $((112 + 40)) $((280 + 8 + 10))
  xdotool key Home Down Return
  sleep 0.5
  click_client $((400 + 45)) $((280 + 8 + 12))
  sleep 2
  grid_menu m
  read -r x y w h < <(xwininfo -name "$title" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}')
  # One xdotool run for the whole movement: a process per step would leave gaps
  # that the figures count as slow reports. The picture is taken while it moves.
  local steps=()
  for ((i = 0; i < 250; i++)); do
    steps+=(mousemove $((x + w / 4 + (i % 40) * w / 80)) $((y + h / 2 + (i % 7) * 4)) sleep 0.012)
  done
  xdotool "${steps[@]}" &
  local mover=$!
  sleep 2.5
  capture_titled "$title" "$SCREENSHOTS/measure.png"
  wait "$mover" || true
  window_stop_demo
}

shoot normal - nothing
shoot process-parent - tick_process_parent
shoot all-devices - nothing /ALL
shoot dpi144 "$QUORVIN_ROOT/tests/wine-gui/dpi144.reg" nothing
shoot_health
shoot_measure
wine_log "screenshots in $SCREENSHOTS"
