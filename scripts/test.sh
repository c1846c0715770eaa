#!/usr/bin/env bash
# Runs every test: the native suite, the same suite under the sanitizers, the
# Windows builds (the i686 product must always compile) and the Wine suites.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

step() { printf '\n=== %s\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

step "i686 product build"
cmake --preset mingw-i686 -DQUORVIN_TESTS=OFF >/dev/null
cmake --build --preset mingw-i686
bash scripts/sizes.sh --check build/i686

step "x86_64 build and the Wine suites"
bash scripts/wine/test.sh build/x86_64

echo
echo "ALL TESTS PASSED"
