#!/usr/bin/env bash
# Runs the GUI suite under 64-bit Wine: all of it at 96 pixels per inch, then the
# layout check with LogPixels=120 in the prefix, then the layout check and the
# high-density test with LogPixels=144.
#   tests/wine-gui/run.sh <build folder> [suite]
# (default build/x86_64 and quorvin_gui_tests; the i686 tree's is
# quorvin_wow64_gui_tests, run under WoW64 by scripts/wow64/test.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/x86_64}"
exe="$build/tests/wine-gui/${2:-quorvin_gui_tests}.exe"
[[ -f "$exe" ]] || { echo "wine-gui: no $exe; build its tree first" >&2; exit 1; }
started=$SECONDS
bash "$root/scripts/wine/run.sh" "$exe" "--gtest_filter=-*HighDensity*"
bash "$root/scripts/wine/run.sh" --reg "$root/tests/wine-gui/dpi120.reg" "$exe" \
  --gtest_filter=*LayoutFits*
bash "$root/scripts/wine/run.sh" --reg "$root/tests/wine-gui/dpi144.reg" "$exe" \
  --gtest_filter=*HighDensity*:*LayoutFits*
echo "wine-gui: the three runs took $((SECONDS - started)) s"
