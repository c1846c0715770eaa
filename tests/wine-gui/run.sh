#!/usr/bin/env bash
# Runs the GUI suite under 64-bit Wine: all of it at 96 pixels per inch, then the
# layout check with LogPixels=120 in the prefix, then the layout check and the
# high-density test with LogPixels=144.
#   tests/wine-gui/run.sh <build folder>      (an x86_64 build, default build/x86_64)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/x86_64}"
exe="$build/tests/wine-gui/quorvin_gui_tests.exe"
[[ -f "$exe" ]] || { echo "wine-gui: no $exe; build the x86_64 tree first" >&2; exit 1; }
started=$SECONDS
bash "$root/scripts/wine/run.sh" "$exe" "--gtest_filter=-*HighDensity*"
bash "$root/scripts/wine/run.sh" --reg "$root/tests/wine-gui/dpi120.reg" "$exe" \
  --gtest_filter=*LayoutFits*
bash "$root/scripts/wine/run.sh" --reg "$root/tests/wine-gui/dpi144.reg" "$exe" \
  --gtest_filter=*HighDensity*:*LayoutFits*
echo "wine-gui: the three runs took $((SECONDS - started)) s"
