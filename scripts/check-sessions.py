#!/usr/bin/env python3
"""Runs the console sessions of the documentation and compares them with what they show.

    python3 scripts/check-sessions.py [--update] BUILD_DIR FILE.md...

Every ```console block of each file is one session: a line starting with "$ " is a
command, the lines after it up to the next command are what it prints (standard output
and standard error together). A line "..." stands for any number of lines. Each session
runs in one bash, in a fresh empty folder that is also its HOME (shown as /root in the
sessions), so every session starts on a fresh demo machine; BUILD_DIR, where the native
quorvin was built, comes first on PATH. Commands that build ("cmake ...") are not run:
the checker runs the program already built. Exits 1 naming every command whose output
differs, with the difference. --update writes what the program prints into the
sessions instead, for each command whose shown output holds no "..." (review the
result with git diff).
"""

import difflib
import os
import re
import subprocess
import sys
import tempfile

MARK = "\x1esession-command-{}\x1e"
SHOWN_HOME = "/root"


def sessions(path):
    """(first line number, [(line number, command, [expected lines])]) per console block."""
    found = []
    lines = open(path, encoding="utf-8").read().split("\n")
    block = None
    for number, line in enumerate(lines, 1):
        if block is None:
            if line.strip() == "```console":
                block = (number, [])
            continue
        if line.strip() == "```":
            found.append(block)
            block = None
        elif line.startswith("$ "):
            block[1].append((number, line[2:], []))
        elif block[1]:
            block[1][-1][2].append(line)
    return found


def skipped(command):
    return command.startswith("cmake ")


def run(commands, build_dir):
    """The output of each command, in order."""
    with tempfile.TemporaryDirectory(prefix="quorvin-session-") as home:
        script = ["exec 2>&1"]
        for index, (_, command, _) in enumerate(commands):
            if skipped(command):
                continue
            # The marker must not change $? for a following "echo $?".
            script.append(
                "__status=$?; printf '%s\\n' '{}'; (exit $__status); {}".format(
                    MARK.format(index), command
                )
            )
        env = {
            "PATH": os.path.abspath(build_dir) + ":" + os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home,
            "LANG": "C.UTF-8",
        }
        result = subprocess.run(
            ["bash", "-c", "\n".join(script) + "\n"],
            cwd=home,
            env=env,
            stdout=subprocess.PIPE,
            stdin=subprocess.DEVNULL,
            timeout=600,
        )
        text = result.stdout.decode("utf-8", "replace").replace(home, SHOWN_HOME)
    outputs = {}
    parts = re.split("\x1esession-command-(\\d+)\x1e\n?", text)
    for at in range(1, len(parts), 2):
        body = parts[at + 1]
        if body.endswith("\n"):
            body = body[:-1]
        outputs[int(parts[at])] = body.split("\n") if body else []
    return [[] if skipped(c[1]) else outputs.get(i, ["(not run)"]) for i, c in enumerate(commands)]


def matches(expected, actual):
    """Whether actual fits expected, where a line "..." fits any number of lines."""
    if not expected:
        return not actual
    if expected[0].strip() == "...":
        return any(matches(expected[1:], actual[skip:]) for skip in range(len(actual) + 1))
    return bool(actual) and expected[0] == actual[0] and matches(expected[1:], actual[1:])


def update(path, replacements):
    """Puts each command's printed lines in place of the shown ones (line number -> lines)."""
    lines = open(path, encoding="utf-8").read().split("\n")
    for number in sorted(replacements, reverse=True):
        end = number
        while not lines[end].startswith("$ ") and lines[end].strip() != "```":
            end += 1
        lines[number:end] = replacements[number]
    open(path, "w", encoding="utf-8").write("\n".join(lines))


def main():
    args = sys.argv[1:]
    updating = bool(args) and args[0] == "--update"
    args = args[1:] if updating else args
    if len(args) < 2:
        sys.exit(__doc__)
    build_dir, files = args[0], args[1:]
    if not os.access(os.path.join(build_dir, "quorvin"), os.X_OK):
        sys.exit("check-sessions: no quorvin program in " + build_dir)
    failures = 0
    count = 0
    for path in files:
        replacements = {}
        for start, commands in sessions(path):
            outputs = run(commands, build_dir)
            for (number, command, expected), actual in zip(commands, outputs):
                count += 1
                if matches(expected, actual):
                    continue
                if updating and all(line.strip() != "..." for line in expected):
                    replacements[number] = actual
                    continue
                failures += 1
                print("{}:{}: the session's output differs for: $ {}".format(path, number, command))
                print("  (- as the session shows it, + as the program prints it now)")
                for line in difflib.unified_diff(expected, actual, "shown", "printed", lineterm="", n=2):
                    print("  " + line)
                print()
            print("{}: session at line {}: {} command(s)".format(path, start, len(commands)))
        if replacements:
            update(path, replacements)
            print("{}: {} command(s) updated".format(path, len(replacements)))
    if failures:
        print("check-sessions: {} of {} command(s) differ; fix the program or the session".format(failures, count))
        return 1
    print("check-sessions: all {} command(s) print what the sessions show".format(count))
    return 0


if __name__ == "__main__":
    sys.exit(main())
