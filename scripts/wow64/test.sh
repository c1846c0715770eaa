#!/usr/bin/env bash
# The shipped 32-bit programs under a real WoW64 (scripts/wow64/bed.sh): the i686
# Wine suite (quorvin_wow64_tests: the real seam against Wine's SetupAPI, quorvin.exe's
# command-line tests with their JSON, and the WOW64 paths through the 64-bit
# companion) and the 32-bit window's GUI suite (quorvin_wow64_gui_tests), built in the
# i686 tree beside the product. The suite runs the release folder's own files, so the
# release must have been made first (scripts/release.sh).
#   scripts/wow64/test.sh [i686 build folder]      (default build/i686)
set -euo pipefail
cd "$(dirname "$0")/../.."
tree="$(pwd)"
build="${1:-build/i686}"
started=$SECONDS
say() { printf 'wow64: %s\n' "$*"; }

version=$(sed -n 's/^#define QUORVIN_VERSION_TEXT "\(.*\)"$/\1/p' version/Version.h)
release="$build/dist/quorvin-setup-$version"
for program in QuorvinSetup.exe quorvin.exe kevra64.exe; do
  [[ -f "$release/$program" ]] || { say "no $release/$program: make the release first (scripts/release.sh)"; exit 1; }
done

# The tree as the product's build left it, with its test targets besides: the
# product's own targets are not rebuilt by this.
cmake --preset mingw-i686 -B "$build" -DQUORVIN_TESTS=ON -DQUORVIN_UNITY_TESTS=ON >/dev/null
cmake --build "$build" --target quorvin_wow64_tests quorvin_wow64_gui_tests
suite="$build/tests/wine/quorvin_wow64_tests.exe"
gui="$build/tests/wine-gui/quorvin_wow64_gui_tests.exe"
# The release's 64-bit companion beside the suite, where the launcher looks for it.
cp "$release/kevra64.exe" "$(dirname "$suite")/"
say "i686 suites built in $((SECONDS - started)) s"

# The release folder as the Wine prefix's Z: drive shows it.
programs="Z:$(cd "$release" && pwd | tr / '\\')\\"
rm -rf "$build/tests/wine/cli-json"
# The shared seam test of the in-process restart is left out: under WoW64 a restart
# goes through the companion, which Wow64.RestartGoesThroughTheCompanion tests.
bash scripts/wow64/bed.sh run \
  "export QUORVIN_PROGRAMS='$programs'" \
  "&& bash scripts/wine/run.sh --move-pointer '$suite'" \
  "--gtest_filter=-*SeamAgreement.RestartIsSilentAndKeepsTheConfiguration*" \
  "&& bash tests/wine-gui/run.sh '$build' quorvin_wow64_gui_tests"
python3 scripts/wine/check-cli-json.py "$build/tests/wine/cli-json"
say "the 32-bit programs passed under WoW64 in $((SECONDS - started)) s ($(bash scripts/wow64/bed.sh versions | tr '\n' ' '))"
