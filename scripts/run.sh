#!/usr/bin/env bash
# The program's main job on the built-in demo machine: builds the demo program (the
# real Win32 window over the simulated devices) and opens the setup window under
# 64-bit Wine, on $DISPLAY, or on a private X screen with a screenshot saved to
# build/screenshots/window.png when there is no display.
#   scripts/run.sh [/ALL]          the window ("/ALL": every USB device, hubs left out)
#   scripts/run.sh --text [/ALL]   the same grid printed as text, without Wine
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [[ "${1:-}" == "--text" ]]; then
    shift
    cmake --preset native >/dev/null
    cmake --build --preset native --target quorvin_grid_text >/dev/null
    exec build/native/ui/quorvin_grid_text "$@"
fi
exec bash scripts/run-window.sh "$@"
