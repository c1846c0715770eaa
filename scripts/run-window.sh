#!/usr/bin/env bash
# Builds the demo program and opens the setup window under 64-bit Wine on the
# built-in demo machine:
#   scripts/run-window.sh [/ALL]
# With DISPLAY set the window opens there and the script returns when it is
# closed. Without one it opens on a private X screen, is saved as
# build/screenshots/window.png after a few seconds, and is closed.
# QUORVIN_BUILD chooses the x86_64 build folder (default build/x86_64).
set -euo pipefail
source "$(dirname "$0")/window-lib.sh"

window_build_demo
window_use_prefix
user_display="${DISPLAY:-}"
trap 'window_stop_demo; wine_cleanup' EXIT
[[ -n "$user_display" ]] || window_private_display
wine_ensure_prefix
wine_restore_registry

if [[ -n "$user_display" ]]; then
  wine_log "opening the setup window on $user_display; close it to return"
  "$WINE64" "$DEMO_EXE" "$@"
else
  window_start_demo "$@"
  sleep 2
  window_capture "$SCREENSHOTS/window.png"
fi
