#!/usr/bin/env python3
"""Checks that every folder's code includes only the folders below it, as the layer
table of docs/ARCHITECTURE.md says, so that the folders draw no circle. Tests
(*_test.cpp) may also use their front ends' fixtures and are not checked.
Also checks that each folder's headers open the folder's namespace."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# What each folder may include besides itself.
MAY_INCLUDE = {
    "base": set(),
    "platform": {"base"},
    "device": {"base", "platform"},
    "config": {"base", "device", "platform"},
    "restart": {"base", "config", "device", "platform"},
    "journal": {"base", "config", "device", "platform"},
    "input": {"base", "device", "platform"},
    "health": {"base", "restart", "config", "input", "device", "platform"},
    "commands": {"base", "health", "journal", "restart", "config", "device", "platform"},
    "confirm": {"base", "input", "restart", "config", "device", "platform"},
    "measure": {"base", "input", "platform"},
    "hardening": {"base", "platform"},
    "runtime": {"base"},
    "companion": {"base", "restart", "config", "device", "hardening", "platform", "version"},
    "ui": {"base", "commands", "confirm", "health", "journal", "restart", "config", "device", "input",
           "measure", "hardening", "platform", "version"},
    "cli": {"base", "commands", "confirm", "health", "journal", "restart", "config", "device", "input",
            "measure", "hardening", "platform", "version"},
}

# The namespace of each folder's headers (a subfolder not listed has its folder's).
# platform/'s own headers are the seam's types and the plat declarations, version/ is
# macros for the resource scripts: not checked.
NAMESPACE = {
    "cli/demo": "demo",
    "platform/sim": "sim",
    "ui/gui": "gui",
    "ui/headless": "headless",
    "ui/win32": "win32",
}
NOT_NAMESPACED = {"platform", "platform/win", "version", "ui/res"}
# Stand-ins for the Win32 windowing names, global as the SDK has them.
GLOBAL_HEADERS = {"ui/gui/WinUi.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+)/', re.MULTILINE)


def main() -> int:
    wrong = []
    for folder, allowed in MAY_INCLUDE.items():
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp") or path.name.endswith("_test.cpp"):
                continue
            for used in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                if used != folder and used not in allowed:
                    wrong.append(f"{path.relative_to(ROOT)} includes {used}/")
    for folder in MAY_INCLUDE:
        for path in sorted((ROOT / folder).rglob("*.h")):
            where = path.parent.relative_to(ROOT).as_posix()
            name = path.relative_to(ROOT).as_posix()
            # Test fixtures may keep a namespace of their own.
            if where in NOT_NAMESPACED or name in GLOBAL_HEADERS or "Test" in path.name:
                continue
            namespace = NAMESPACE.get(where, folder)
            text = path.read_text(encoding="utf-8", errors="replace")
            if not re.search(rf"^namespace {namespace} {{", text, re.MULTILINE):
                wrong.append(f"{name} does not open namespace {namespace}")
    for line in wrong:
        print(f"layers: {line}", file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
