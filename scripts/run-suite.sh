#!/usr/bin/env bash
# Runs a GoogleTest program in one shard per core, side by side, each shard one
# process: scripts/run-suite.sh PROGRAM [LABEL]
#
# The test command runs the native suite this way rather than through ctest, which
# starts a process per test: under the sanitizers their start-up and leak check at
# exit cost more than the tests themselves. Every test still runs exactly once
# (GoogleTest's sharding splits the list), and all of them share their shard's
# process, so a test that only passes when it runs alone fails here.
#   QUORVIN_SUITE_SHARDS   shards (default: the number of cores)
set -euo pipefail

program=$(realpath "$1")
label="${2:-$(basename "$program")}"
shards="${QUORVIN_SUITE_SHARDS:-$(nproc)}"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

listed=$("$program" --gtest_list_tests | grep -c '^  ')
if ((listed == 0)); then
    echo "$label: the program lists no tests"
    exit 1
fi

# Tests that read or write relative paths find what they find under ctest.
cd "$(dirname "$program")"
started=$SECONDS
running=()
for ((index = 0; index < shards; index++)); do
    GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$index \
        "$program" --gtest_brief=1 >"$logs/$index.log" 2>&1 &
    running+=($!)
done

status=0
ran=0
for ((index = 0; index < shards; index++)); do
    if ! wait "${running[index]}"; then
        status=1
        echo "=== $label, shard $((index + 1)) of $shards FAILED:"
        cat "$logs/$index.log"
    fi
    count=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$logs/$index.log")
    ran=$((ran + ${count:-0}))
done

if ((status == 0 && ran != listed)); then
    echo "$label: $ran of $listed tests ran"
    status=1
fi
if ((status == 0)); then
    echo "$label: all $ran tests passed ($shards shards, $((SECONDS - started)) s)"
fi
exit "$status"
