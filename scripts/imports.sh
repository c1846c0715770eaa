#!/usr/bin/env bash
# Checks what the shipped Windows programs need from Windows, so that they start on
# every supported version (XP SP3 onward) and load no DLL from their own folder:
#   scripts/imports.sh <build folder>...
# For QuorvinSetup.exe, quorvin.exe and companion/kevra64.exe of each build folder
# that has them:
#   - every DLL they import is one that scripts/imports-allowed.txt lists as taken
#     from the system folder;
#   - every function they import (by name or ordinal) is listed there for that DLL,
#     and the list names no Windows newer than XP SP3 for any entry;
#   - the PE header asks for no newer Windows than the build's oldest: 5.1 for the
#     32-bit programs, 5.2 for the 64-bit ones (XP x64 and Server 2003).
# Functions newer than that are looked up at run time with GetProcAddress.
set -euo pipefail
(($#)) || { echo "usage: imports.sh <build folder>..." >&2; exit 2; }
cd "$(dirname "$0")/.."
programs=()
for build in "$@"; do
  for exe in "$build/QuorvinSetup.exe" "$build/quorvin.exe" "$build/companion/kevra64.exe"; do
    [[ -f "$exe" ]] && programs+=("$exe")
  done
done
((${#programs[@]})) || { echo "imports: FAILED: no program in $*" >&2; exit 1; }

exec python3 - scripts/imports-allowed.txt "${programs[@]}" <<'PYTHON'
import re
import subprocess
import sys

# The versions an entry may name, oldest first: nothing after XP SP3.
SUPPORTED = ["NT3.1", "NT3.5", "NT4", "2000", "XP", "XP-SP1", "XP-SP2", "XP-SP3"]
OLDEST_PE = {"pei-i386": (5, 1), "pei-x86-64": (5, 2)}

failures = []
allowed_dlls, allowed = set(), {}
for number, line in enumerate(open(sys.argv[1], encoding="utf-8"), 1):
    fields = line.split("#", 1)[0].split()
    if not fields:
        continue
    if fields[0] == "dll" and len(fields) == 2:
        allowed_dlls.add(fields[1].lower())
    elif len(fields) == 3:
        dll, function, oldest = fields[0].lower(), fields[1], fields[2]
        if oldest not in SUPPORTED:
            failures.append(f"allowlist line {number}: {function} needs {oldest}, newer than XP SP3")
        if dll not in allowed_dlls:
            failures.append(f"allowlist line {number}: {dll} is not listed as a system DLL")
        allowed[(dll, function)] = oldest
    else:
        failures.append(f"allowlist line {number}: not 'dll NAME' nor 'DLL FUNCTION OLDEST'")

for exe in sys.argv[2:]:
    dump = subprocess.run(["objdump", "-p", exe], capture_output=True, text=True, check=True).stdout
    header = {}
    for line in dump.splitlines():
        fields = line.split()
        if len(fields) == 2 and fields[0] in ("MajorOSystemVersion", "MinorOSystemVersion",
                                              "MajorSubsystemVersion", "MinorSubsystemVersion"):
            header[fields[0]] = int(fields[1])
    file_format = subprocess.run(["objdump", "-f", exe], capture_output=True, text=True,
                                 check=True).stdout.split("file format ")[1].split()[0]
    oldest = OLDEST_PE.get(file_format)
    for kind in ("OSystem", "Subsystem"):
        version = (header.get(f"Major{kind}Version"), header.get(f"Minor{kind}Version"))
        if version != oldest:
            failures.append(f"{exe}: the PE header's {kind} version is {version}, not {oldest}")

    # Only the import directory: it starts with "The Import Tables" and ends where the
    # next part of the dump starts ("The Function Table", the x86-64 unwind data whose
    # register names and flags would otherwise read as imports, or any other).
    count, dll, in_imports = 0, None, False
    entry = re.compile(r"^\s*[0-9a-fA-F]+\s+[0-9]+(\s+\S+)?\s*$")
    for line in dump.splitlines():
        if line.startswith("The "):
            in_imports = line.startswith("The Import Tables")
            dll = None
            continue
        if not in_imports:
            continue
        if "DLL Name:" in line:
            dll = line.split(":", 1)[1].strip().lower()
            if dll not in allowed_dlls:
                failures.append(f"{exe}: imports {dll}, which is not a system DLL of the list")
            continue
        if dll is None:
            continue
        fields = line.split()
        if not fields:
            dll = None
        elif fields[0] != "vma:":
            if not entry.match(line):
                failures.append(f"{exe}: cannot read the import line {line.strip()!r}")
                continue
            # "<vma> <hint> <name>", or "<vma> <ordinal>" for an import by ordinal.
            function = fields[2] if len(fields) >= 3 else "#" + fields[1]
            count += 1
            if (dll, function) not in allowed:
                failures.append(f"{exe}: imports {dll} {function}, which the allowlist lacks")
    print(f"imports: {exe}: {count} functions, all in the allowlist" if count else
          f"imports: {exe}: no imports found")

for failure in failures:
    print("imports: FAILED:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PYTHON
