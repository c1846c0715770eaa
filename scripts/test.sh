#!/usr/bin/env bash
# Runs every test: the native suite, the same suite under the sanitizers, bounded
# fuzzing, the Windows builds (the i686 product must always compile and keep its
# size budget) and the Wine suites (the real platform, and the real window), and the
# shipped 32-bit programs under a real WoW64 (scripts/wow64/, Wine 10 in its own root).
#   QUORVIN_FUZZ_SECONDS   seconds per fuzz target (default 20 here)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

started=$SECONDS
step() { printf '\n=== %s (at %d s)\n' "$*" "$((SECONDS - started))"; }

# The WoW64 bed's root (Debian 13 with unstable's Wine 10) is made, or found made,
# while the builds run: it mostly waits for the archive. Its log is read at its step.
mkdir -p build/wow64
bash scripts/wow64/bed.sh make >build/wow64/bed-make.out 2>&1 &
bed_pid=$!
# Ended when this script ends first; it then undoes its own mounts.
trap 'kill "$bed_pid" 2>/dev/null || true; wait "$bed_pid" 2>/dev/null || true' EXIT

# g++ at -O1 without debug information (the "check" preset): the same warnings
# as errors, and half the build time of the development tree's -O2 -g.
step "native build and tests"
# The folders include only the layers below them (docs/ARCHITECTURE.md).
python3 scripts/layers.py
cmake --preset check >/dev/null
cmake --build --preset check
bash scripts/run-suite.sh build/check/tests/quorvin_tests "the native suite"

step "the documentation's console sessions on fresh demo machines"
python3 scripts/check-sessions.py build/check README.md docs/cli.md

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

step "the shipped 32-bit programs under WoW64 (Wine 10 in its own root)"
bed_status=0
wait "$bed_pid" || bed_status=$?
cat build/wow64/bed-make.out
((bed_status == 0)) || exit 1
bash scripts/wow64/test.sh build/i686

printf '\nALL TESTS PASSED in %d s\n' "$((SECONDS - started))"
