#!/usr/bin/env bash
# Checks the Windows programs of a MinGW build folder and reports their stripped
# sizes:
#   tests/wine-gui/check-programs.sh <build folder>...
# The product (QuorvinSetup.exe) must not carry the simulated platform: no symbol
# of namespace sim, no member of libplatform_sim.a in its link map, and it must
# import the real device-installation services. The demo (QuorvinSetupDemo.exe),
# where present, must carry the simulation, so that the check is seen to work.
set -euo pipefail
(($#)) || { echo "usage: check-programs.sh <build folder>..." >&2; exit 2; }
failed=0
fail() {
  echo "programs: FAILED: $*" >&2
  failed=1
}
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for build in "$@"; do
  for program in QuorvinSetup QuorvinSetupDemo; do
    exe="$build/$program.exe"
    [[ -f "$exe" ]] || continue
    case "$(objdump -f "$exe" 2>/dev/null | sed -n 's/.*file format //p')" in
      pei-i386) triple=i686-w64-mingw32 ;;
      pei-x86-64) triple=x86_64-w64-mingw32 ;;
      *) fail "$exe is no Windows program" && continue ;;
    esac
    sim_symbols="$("$triple-nm" -C "$exe" | grep -c 'sim::' || true)"
    sim_members="$(grep -c 'libplatform_sim\.a(' "$build/$program.map" 2>/dev/null || true)"
    imports_setupapi="$("$triple-objdump" -p "$exe" | grep -c 'SetupDiGetClassDevsA' || true)"
    if [[ "$program" == QuorvinSetup ]]; then
      ((sim_symbols == 0)) || fail "$exe has $sim_symbols symbols of the simulation"
      ((sim_members == 0)) || fail "$exe links $sim_members members of libplatform_sim.a"
      ((imports_setupapi > 0)) || fail "$exe does not import SetupDiGetClassDevsA"
    else
      ((sim_symbols > 0)) || fail "$exe should carry the simulation"
      ((imports_setupapi == 0)) || fail "$exe imports the real SetupAPI"
    fi
    cp "$exe" "$scratch/$program.exe"
    "$triple-strip" "$scratch/$program.exe"
    printf 'programs: %-22s %-20s %8d bytes stripped (%d unstripped)\n' "$program.exe" "$triple" \
      "$(stat -c %s "$scratch/$program.exe")" "$(stat -c %s "$exe")"
  done
done
((failed == 0)) && echo "programs: the product carries no simulation"
exit "$failed"
