#!/usr/bin/env bash
# Builds the leak check in an x86_64 tree of its own and runs it under 64-bit Wine:
#   tests/wine-leak/run.sh [build folder]      (default build/rel-leak)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/rel-leak}"
started=$SECONDS
cmake --preset mingw-x86_64 -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target quorvin_leak_check
bash "$root/scripts/wine/run.sh" "$build/tests/wine-leak/quorvin_leak_check.exe"
echo "wine-leak: build and check took $((SECONDS - started)) s"
