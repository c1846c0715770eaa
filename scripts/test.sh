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

# g++ at -O1 without debug information (the "check" preset): the same warnings
# as errors, and half the build time of the development tree's -O2 -g.
step "native build and tests"
# The folders include only the layers below them (docs/ARCHITECTURE.md).
python3 scripts/layers.py
cmake --preset check >/dev/null
cmake --build --preset check
bash scripts/run-suite.sh build/check/tests/quorvin_tests "the native suite"

step "the native suite under AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/sanitize.sh

step "fuzzing"
QUORVIN_FUZZ_SECONDS="${QUORVIN_FUZZ_SECONDS:-20}" bash scripts/fuzz.sh

step "i686 product build"
cmake --preset mingw-i686 -DQUORVIN_TESTS=OFF >/dev/null
# Only the two programs that ship from this tree (the release adds the x86_64
# companion): its text-grid demo and the simulation it links are built elsewhere.
cmake --build --preset mingw-i686 --target QuorvinSetup quorvin
bash scripts/sizes.sh --check build/i686

step "x86_64 build and the Wine suites"
bash scripts/wine/test.sh build/x86_64
bash tests/wine-gui/run.sh build/x86_64
bash tests/wine-leak/run.sh build/x86_64
bash tests/wine-gui/check-programs.sh build/i686 build/x86_64
bash scripts/imports.sh build/i686 build/x86_64

step "the Windows release from both trees"
bash scripts/release.sh --check

printf '\nALL TESTS PASSED in %d s\n' "$((SECONDS - started))"
