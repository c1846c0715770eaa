#!/usr/bin/env bash
# Runs every test: the native suite, the same suite under the sanitizers, bounded
# fuzzing, the Windows builds (the i686 product must always compile and keep its
# size budget) and the Wine suites (the real platform, and the real window).
#   QUORVIN_FUZZ_SECONDS   seconds per fuzz target (default 20 here)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

started=$SECONDS
step() { printf '\n=== %s (at %d s)\n' "$*" "$((SECONDS - started))"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

step "the native suite under AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/sanitize.sh

step "fuzzing"
QUORVIN_FUZZ_SECONDS="${QUORVIN_FUZZ_SECONDS:-20}" bash scripts/fuzz.sh

step "i686 product build"
cmake --preset mingw-i686 -DQUORVIN_TESTS=OFF >/dev/null
cmake --build --preset mingw-i686
bash scripts/sizes.sh --check build/i686

step "x86_64 build and the Wine suites"
bash scripts/wine/test.sh build/x86_64
bash tests/wine-gui/run.sh build/x86_64
bash tests/wine-leak/run.sh build/x86_64
bash tests/wine-gui/check-programs.sh build/i686 build/x86_64
bash scripts/imports.sh build/i686 build/x86_64

printf '\nALL TESTS PASSED in %d s\n' "$((SECONDS - started))"
