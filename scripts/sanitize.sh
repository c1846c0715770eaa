#!/usr/bin/env bash
# Builds the native suite with clang, AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, and runs it. Every finding aborts the test that made
# it (-fno-sanitize-recover=all, halt_on_error), so any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2
