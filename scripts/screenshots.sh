#!/usr/bin/env bash
# Saves PNGs of the demo window into build/screenshots/:
#   normal.png          normal mode, the composite gaming mouse selected (the start state)
#   process-parent.png  "Process Parent" ticked by a click
#   all-devices.png     started with /ALL
#   dpi144.png          at 144 pixels per inch (LogPixels=144 in the prefix)
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

shoot normal - nothing
shoot process-parent - tick_process_parent
shoot all-devices - nothing /ALL
shoot dpi144 "$QUORVIN_ROOT/tests/wine-gui/dpi144.reg" nothing
wine_log "screenshots in $SCREENSHOTS"
