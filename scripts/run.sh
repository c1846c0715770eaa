#!/usr/bin/env bash
# The program's main job on the built-in demo machine: the setup window's device
# grid, shown as text. Arguments go to the program ("/ALL" lists all USB devices).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target quorvin_grid_text >/dev/null
exec build/native/ui/quorvin_grid_text "$@"
