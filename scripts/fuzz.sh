#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) in build/fuzz and runs each for a bounded time, starting from its
# committed seed corpus (fuzz/corpus/<target>) and the inputs kept from earlier runs
# (build/fuzz/corpus/<target>). Any crash, sanitizer finding or broken invariant
# fails the run; the input that caused it is left in build/fuzz/artifacts/.
#
#   QUORVIN_FUZZ_SECONDS   seconds per target (default 30)
#   QUORVIN_FUZZ_TARGETS   the targets to run (default: all of them)
#   QUORVIN_FUZZ_JOBS      targets run at once (default: the number of cores)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${QUORVIN_FUZZ_SECONDS:-30}"
targets="${QUORVIN_FUZZ_TARGETS:-lower_filters rate copy_ids names profile journal companion_command}"
jobs="${QUORVIN_FUZZ_JOBS:-$(nproc)}"
build=build/fuzz

# -O1 with line tables, as fuzzing services build: a finding's stack still names
# file and line, and the tree builds in far less time than at -O2 -g.
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -gline-tables-only -DNDEBUG" >/dev/null
cmake --build "$build" --target $(printf 'fuzz_%s ' $targets)

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# Runs one target; its one-line summary goes to $build/<target>.summary, and the
# exit status says whether it found a fault.
fuzz_one() {
    local target="$1"
    local corpus="$build/corpus/$target" artifacts="$build/artifacts/$target/"
    local log="$build/$target.log"
    mkdir -p "$corpus" "$artifacts"
    local options=(-max_total_time="$seconds" -timeout=20 -artifact_prefix="$artifacts")
    case "$target" in
        lower_filters) options+=(-max_len=4096 -dict=fuzz/lower_filters.dict) ;;
        *) options+=(-max_len=1024) ;;
    esac
    if "$build/fuzz_$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        local runs cov
        runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")
        cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | sed -n 's/.*\(cov: [0-9]*\).*\(ft: [0-9]*\).*\(corp: [^ ]*\).*/\1 \2 \3/p')
        echo "fuzz_$target: $runs, $cov" >"$build/$target.summary"
    else
        {
            echo "fuzz_$target: FAILED (log: $log)"
            grep -E 'invariant broken|ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20
        } >"$build/$target.summary"
        return 1
    fi
}

# The targets run side by side, one per core: each is single-threaded.
echo "=== ${seconds} s per target, $jobs at a time: $targets"
status=0
running=()
for target in $targets; do
    fuzz_one "$target" &
    running+=($!)
    if ((${#running[@]} >= jobs)); then
        wait "${running[0]}" || status=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || status=1
done

echo
for target in $targets; do
    cat "$build/$target.summary"
done
if [ "$status" -ne 0 ]; then
    echo "FUZZING FOUND A FAULT"
    exit 1
fi
