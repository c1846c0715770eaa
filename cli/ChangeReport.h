// The report of commands that change devices (set, restart, apply): text lines or one
// JSON object, and the exit code their outcome calls for.
#pragma once

#include <string>
#include <vector>

#include "cli/SettingChange.h"

namespace cli {

struct UnmatchedEntry {
    std::string instanceId;
    std::string hardwareId;
};

struct ChangeReport {
    std::string command;
    std::vector<DeviceChange> changes;
    std::vector<UnmatchedEntry> unmatched;  // apply: profile entries that named no device
};

// 1 when a write failed, a restart failed (the device does not start after it,
// whoever's filter caused that) or an unconfirmed change could not be taken back,
// else 5 when one was taken back, else 3 when a restart needs a reboot, else 0. A
// failure is also raised as CommandFailed after the report is written.
int PrintChangeReport(const ChangeReport& report, bool json, std::string& out);

}  // namespace cli
