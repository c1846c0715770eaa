#!/usr/bin/env bash
# Sizes of the Windows programs, stripped as they ship, and the size budget of the
# product: the i686 QuorvinSetup.exe may take at most 320 KiB, and quorvin.exe that
# ships beside it at most 400 KiB.
#
#   bash scripts/sizes.sh            builds the i686 and x86_64 programs (MinSizeRel,
#                                    in build/perf-i686 and build/perf-x86_64), reports
#                                    every program's size and checks the budget
#   bash scripts/sizes.sh --check D  checks only the i686 product already built in D
#                                    (scripts/test.sh runs this after its i686 build)
#
# Programs are found by their target names; a target that the build does not define
# is reported as absent and not measured. Exits non-zero when the product exceeds
# its budget or a program fails to build.
set -euo pipefail
cd "$(dirname "$0")/.."

# 320 KiB: the product is about 272 KiB since it is optimised whole at link time.
readonly product_budget_kib=320
readonly cli_budget_kib=400
readonly product=QuorvinSetup
status=0

# Finds the program a target makes, building it first: sets $program, or leaves it
# empty when the build defines no such target. Returns non-zero when the build fails.
find_program_of() {
  local dir=$1 target=$2 name=$3
  program=
  local targets
  targets=$(ninja -C "$dir" -t targets all 2>/dev/null) || return 0
  grep -q "^${target}: " <<<"$targets" || return 0
  if ! cmake --build "$dir" --target "$target" >/dev/null; then
    echo "  FAIL: $target does not build in $dir"
    return 1
  fi
  # Not the copies the release target makes (dist/, release-stage/): they may be older.
  program=$(find "$dir" -name "$name" -type f -not -path "*/CMakeFiles/*" \
    -not -path "$dir/dist/*" -not -path "$dir/release-stage/*" | head -n 1)
}

# Prints one program's sizes and sets $stripped (empty when the program is absent).
# Returns non-zero, with $status set, when the program fails to build.
report() {
  local arch=$1 dir=$2 target=$3 name=$4 strip=$5
  stripped=
  find_program_of "$dir" "$target" "$name" || { status=1; return 1; }
  if [[ -z $program ]]; then
    printf '  %-7s %-22s absent: no target %s in %s\n' "$arch" "$name" "$target" "$dir"
    return 0
  fi
  local copy="build/perf-sizes/$arch/$name"
  mkdir -p "$(dirname "$copy")"
  cp "$program" "$copy"
  "$strip" "$copy"
  local built
  built=$(stat -c %s "$program")
  stripped=$(stat -c %s "$copy")
  printf '  %-7s %-22s %9d bytes built, %9d bytes stripped (%d KiB)\n' \
    "$arch" "$name" "$built" "$stripped" $(((stripped + 1023) / 1024))
}

# Checks one shipped i686 program's stripped size against its budget in KiB.
check_budget() {
  local dir=$1 target=$2 budget_kib=$3
  report i686 "$dir" "$target" "$target.exe" i686-w64-mingw32-strip || return 0
  if [[ -z $stripped ]]; then
    echo "  SKIPPED: no i686 $target in this build, its size budget is not checked"
  elif ((stripped > budget_kib * 1024)); then
    echo "  FAIL: the i686 $target takes $stripped bytes stripped, over its budget of $budget_kib KiB"
    status=1
  else
    echo "  ok: the i686 $target is within its budget of $budget_kib KiB"
  fi
}

check_product() {
  check_budget "$1" "$product" "$product_budget_kib"
  check_budget "$1" quorvin "$cli_budget_kib"
}

configure() {
  local dir=$1 toolchain=$2
  cmake --no-warn-unused-cli -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DQUORVIN_TESTS=OFF >/dev/null
}

if [[ ${1:-} == --check ]]; then
  check_product "${2:?usage: sizes.sh --check <i686 build folder>}"
  exit "$status"
fi

bash scripts/deps.sh
configure build/perf-i686 cmake/mingw-i686.cmake
configure build/perf-x86_64 cmake/mingw-x86_64.cmake
echo "stripped sizes (MinSizeRel, statically linked)"
check_product build/perf-i686
for target in QuorvinSetup QuorvinSetupDemo kevra64 quorvin; do
  report x86_64 build/perf-x86_64 "$target" "$target.exe" x86_64-w64-mingw32-strip || true
done
exit "$status"
