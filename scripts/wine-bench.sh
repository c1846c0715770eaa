#!/usr/bin/env bash
# Benchmarks on the real platform: builds the x86_64 tree and runs the device layer
# and the real window against Wine's own SetupAPI and registry with 30, 300 and
# 1,000 devices made in the prefix (medians of seven runs each, then the calls of
# one run counted and timed). Wall time: Wine's registry runs in the wineserver.
#   scripts/wine-bench.sh [build folder] [--paint-only] [runs] [device counts...]
# --paint-only times the grid's paint alone, to compare two builds quickly.
# Not part of scripts/test.sh: making 1,000 devices alone takes a while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/wine/install.sh

build="${1:-build/x86_64}"
shift || true
cmake --preset mingw-x86_64 -B "$build" >/dev/null
cmake --build "$build" --target quorvin_wine_bench
echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
QUORVIN_WINE_TIMEOUT="${QUORVIN_WINE_TIMEOUT:-1800}" \
  bash scripts/wine/run.sh "$build/bench/wine/quorvin_wine_bench.exe" "$@"
echo "load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
