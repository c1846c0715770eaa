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
    assert device["productName"] is None or isinstance(device["productName"], str)
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


def check_status(document):
    driver = document["driver"]
    for key in ("known", "installed", "fileFound", "running"):
        assert isinstance(driver[key], bool), key
    assert driver["imageFile"] is None or isinstance(driver["imageFile"], str)
    journal = document["journal"]
    assert isinstance(journal["usable"], bool) and isinstance(journal["changes"], int)
    assert journal["message"] is None or isinstance(journal["message"], str)
    for device in document["devices"]:
        assert isinstance(device["instanceId"], str) and device["instanceId"]
        assert isinstance(device["present"], bool)
        assert device["state"] in {"started", "problem", "not started", "not present", "unknown"}
        assert isinstance(device["problem"], int)
        assert (device["problemText"] is None) == (device["state"] != "problem")
    assert isinstance(document["broken"], bool)


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
        elif document["command"] == "status":
            check_status(document)
        elif document["command"] == "undo":
            for key in ("all", "nothing"):
                assert isinstance(document[key], bool), key
            for key in ("undone", "left"):
                assert isinstance(document[key], int), key
            assert isinstance(document["message"], str)
        else:
            assert document["command"] in {"set", "apply", "restart"}, path
            for change in document["changes"]:
                check_change(change)
            assert isinstance(document["rebootNeeded"], bool)
        print(f"cli-json: {path.name} parsed, schema version 1")


if __name__ == "__main__":
    main(sys.argv[1])
