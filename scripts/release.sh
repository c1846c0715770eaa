#!/usr/bin/env bash
# Makes the Windows release: the folder build/i686/dist/quorvin-setup-<version>/ and
# its zip beside it, holding QuorvinSetup.exe, quorvin.exe, kevra64.exe and README.txt.
#   bash scripts/release.sh            configures build/i686 as the test command does
#                                      and builds its release target (which builds
#                                      kevra64.exe in build/x86_64 first)
#   bash scripts/release.sh --check    the same, then checks what the release holds
#                                      (scripts/check-release.py); scripts/test.sh runs
#                                      this after building both trees, so nothing is
#                                      built twice
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: release.sh [--check]" >&2; exit 2 ;;
esac

cmake --preset mingw-i686 -DQUORVIN_TESTS=OFF >/dev/null
cmake --build --preset mingw-i686 --target release
((check)) || exit 0

version=$(sed -n 's/^#define QUORVIN_VERSION_TEXT "\(.*\)"$/\1/p' version/Version.h)
folder="build/i686/dist/quorvin-setup-$version"
python3 scripts/check-release.py "$folder" "$folder.zip"
