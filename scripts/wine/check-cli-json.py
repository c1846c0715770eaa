#!/usr/bin/env python3
"""Reads the JSON that quorvin.exe printed in the Wine suite (tests/wine/CliProgram_test.cpp
leaves it in cli-json/ beside the suite) with Python's json module and checks the
documented schema, version 1 (docs/cli.md)."""
import json
import pathlib
import sys

RATES = {"Default", "1000", "500", "250", "125", "62", "31"}
RESTARTS = {None, "done", "requested", "failed", "reboot-needed"}


def check_device(device):
    assert isinstance(device["instanceId"], str) and device["instanceId"]
    assert all(isinstance(i, str) for i in device["hardwareIds"])
    for key in ("description", "parentName", "childNames"):
        assert isinstance(device[key], str), key
    for key in ("mouse", "hub", "filter"):
        assert isinstance(device[key], bool), key
    assert device["rate"] in RATES
    assert set(device["questions"]) <= {"hub", "usefulness"}


def check_change(change):
    assert change["matchedBy"] in {"device", "instance-id", "hardware-id"}
    for key in ("filter", "rate"):
        assert set(change[key]) == {"before", "after"}, key
    assert change["rate"]["after"] in RATES
    assert isinstance(change["changed"], bool) and isinstance(change["failed"], bool)
    assert change["restart"] in RESTARTS


def main(folder):
    files = sorted(pathlib.Path(folder).glob("*.json"))
    if len(files) < 4:
        sys.exit(f"cli-json: expected the suite's JSON files in {folder}, found {len(files)}")
    for path in files:
        with open(path, encoding="ascii") as handle:
            document = json.load(handle)
        assert document["version"] == 1, path
        if document["command"] == "list":
            assert document["mode"] in {"hid", "mice", "all"}
            for device in document["devices"]:
                check_device(device)
            assert document["devices"], "no device listed"
        else:
            assert document["command"] in {"set", "apply", "restart"}, path
            for change in document["changes"]:
                check_change(change)
            assert isinstance(document["rebootNeeded"], bool)
        print(f"cli-json: {path.name} parsed, schema version 1")


if __name__ == "__main__":
    main(sys.argv[1])
