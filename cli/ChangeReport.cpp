#include "cli/ChangeReport.h"

#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"

namespace cli {

int PrintChangeReport(const ChangeReport& report, bool json, std::string& out) {
    int failures = 0;
    bool reboot = false;
    bool reverted = false;
    const RestartResult* missingCompanion = nullptr;
    for (const DeviceChange& change : report.changes) {
        if (change.restart && change.restart->companionMissing) {
            missingCompanion = &*change.restart;
        }
        if (change.failed || (change.restart && change.restart->result == ActionResult::Failed) ||
            change.confirm == ConfirmResult::NotReverted) {
            ++failures;
        }
        reboot = reboot || (change.restart && change.restart->result == ActionResult::RebootNeeded);
        reverted = reverted || change.confirm == ConfirmResult::Reverted;
    }
    if (json) {
        JsonWriter writer;
        writer.BeginObject();
        writer.Key("version").Number(1);
        writer.Key("command").String(report.command);
        writer.Key("changes").BeginArray();
        for (const DeviceChange& change : report.changes) {
            WriteChangeJson(writer, change);
        }
        writer.EndArray();
        writer.Key("unmatched").BeginArray();
        for (const UnmatchedEntry& entry : report.unmatched) {
            writer.BeginObject();
            writer.Key("instanceId").String(entry.instanceId);
            writer.Key("hardwareId").String(entry.hardwareId);
            writer.EndObject();
        }
        writer.EndArray();
        writer.Key("rebootNeeded").Bool(reboot);
        writer.EndObject();
        out += writer.Text() + '\n';
    } else {
        for (const DeviceChange& change : report.changes) {
            out += ChangeText(change) + '\n';
        }
        for (const UnmatchedEntry& entry : report.unmatched) {
            out += "no device for " +
                   (entry.instanceId.empty() ? entry.hardwareId : entry.instanceId) + '\n';
        }
        if (reboot) {
            out += "a reboot is needed for the changes to take effect\n";
        }
    }
    if (failures > 0) {
        // The one line a script's log keeps names a missing companion, as it fails them all.
        throw CommandFailed(std::to_string(failures) + " device(s) could not be changed" +
                            (missingCompanion == nullptr
                                 ? std::string()
                                 : ": " + CompanionMissingText(missingCompanion->companionPath)));
    }
    if (reverted) {
        return kExitReverted;
    }
    return reboot ? kExitRebootNeeded : kExitDone;
}

}  // namespace cli
