#!/usr/bin/env bash
# Runs a Windows test program under 64-bit Wine in the build tree's own prefix:
#   scripts/wine/run.sh [--reg FILE]... [--no-summary] [--move-pointer] <exe> [args...]
# --move-pointer moves the X pointer through XTEST while the program runs (raw input).
# It starts Xvfb when no DISPLAY is given, makes the prefix on first use, restores
# the prefix's registry from its template and imports each --reg file on top.
#
# A run passes only when the program exits with 0 AND its output ends with the
# line "QUORVIN-WINE-SUITE: PASSED ...": a process that crashed inside Wine can
# still exit with 0. --no-summary drops the second condition (for programs that
# are not test suites). QUORVIN_WINE_TIMEOUT (seconds, default 300) bounds a run.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

reg_files=()
want_summary=1
move_pointer=0
while (($#)); do
  case "$1" in
    --reg)
      reg_files+=("$2")
      shift 2
      ;;
    --no-summary)
      want_summary=0
      shift
      ;;
    --move-pointer)
      move_pointer=1
      shift
      ;;
    *) break ;;
  esac
done
(($#)) || wine_fail "usage: run.sh [--reg FILE]... [--no-summary] <exe> [args...]"
exe="$1"
shift
[[ -f "$exe" ]] || wine_fail "no such program: $exe"
[[ -x "$WINE64" ]] || bash "$WINE_SCRIPTS/install.sh"

wine_dir="$(wine_dir_for "$exe")"
mkdir -p "$wine_dir"
exec 9>"$wine_dir/lock"
flock -w 900 9 || wine_fail "another run holds $wine_dir/lock"

export WINEPREFIX="$wine_dir/prefix"
trap wine_cleanup EXIT
wine_ensure_display
wine_ensure_prefix
wine_restore_registry
for reg in "${reg_files[@]}"; do
  "$WINE64" regedit /S "$(wine_windows_path "$reg")" >/dev/null 2>&1 ||
    wine_fail "importing $reg failed"
done

output="$wine_dir/last-output.txt"
started=$SECONDS
if ((move_pointer)); then
  # Moves the pointer through XTEST, as a hand on a mouse would, so that Wine
  # delivers raw input; the program sees the variable and waits for it.
  command -v xdotool >/dev/null || bash "$WINE_SCRIPTS/../deps.sh" xdotool
  export QUORVIN_POINTER_MOVING=1
  (for ((i = 0; i < 3000; i++)); do
    xdotool mousemove $((100 + i % 200)) $((100 + (i / 200) % 50)) 2>/dev/null || exit 0
    sleep 0.01
  done) &
  pointer_pid=$!
fi
set +e
timeout --kill-after=10 "${QUORVIN_WINE_TIMEOUT:-300}" "$WINE64" "$exe" "$@" | tee "$output"
status=${PIPESTATUS[0]}
set -e
if ((move_pointer)); then
  kill "$pointer_pid" 2>/dev/null || true
fi
"$WINESERVER" -k 2>/dev/null || true
wine_log "$(basename "$exe") ran $((SECONDS - started)) s, exit code $status"

((status == 0)) || wine_fail "FAILED: exit code $status"
if ((want_summary)); then
  last="$(tr -d '\r' <"$output" | grep -v '^[[:space:]]*$' | tail -n1 || true)"
  [[ "$last" == "QUORVIN-WINE-SUITE: PASSED"* ]] ||
    wine_fail "FAILED: the output does not end with a passing suite summary"
fi
