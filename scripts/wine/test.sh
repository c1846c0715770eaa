#!/usr/bin/env bash
# Builds the x86_64 tree and runs the Wine suite against the real platform:
#   scripts/wine/test.sh [build folder]      (default build/x86_64)
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/wine/install.sh

build="${1:-build/x86_64}"
started=$SECONDS
# The suites' test files compiled one compiler run per folder, as in the native
# suite's tree of the test command.
cmake --preset mingw-x86_64 -B "$build" -DQUORVIN_UNITY_TESTS=ON >/dev/null
cmake --build "$build"
echo "wine: x86_64 tree built in $((SECONDS - started)) s"
rm -rf "$build/tests/wine/cli-json"
bash scripts/wine/run.sh --move-pointer "$build/tests/wine/quorvin_wine_tests.exe"
# The command-line program's JSON, as the suite left it, through a real JSON parser.
python3 scripts/wine/check-cli-json.py "$build/tests/wine/cli-json"
echo "wine: build and suite took $((SECONDS - started)) s"
