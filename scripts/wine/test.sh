#!/usr/bin/env bash
# Builds the x86_64 tree and runs the Wine suite against the real platform:
#   scripts/wine/test.sh [build folder]      (default build/x86_64)
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/wine/install.sh

build="${1:-build/x86_64}"
started=$SECONDS
cmake --preset mingw-x86_64 -B "$build" >/dev/null
cmake --build "$build"
echo "wine: x86_64 tree built in $((SECONDS - started)) s"
bash scripts/wine/run.sh --move-pointer "$build/tests/wine/quorvin_wine_tests.exe"
echo "wine: build and suite took $((SECONDS - started)) s"
