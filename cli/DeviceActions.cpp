#include "cli/DeviceActions.h"

#include "cli/JsonWriter.h"
#include "cli/ScriptHost.h"
#include "commands/DeviceCommands.h"
#include "device/Device.h"
#include "device/DeviceState.h"
#include "restart/CompanionLauncher.h"
#include "restart/Restart.h"
#include "health/FilterHealth.h"

namespace cli {

namespace {

std::string ProblemPart(ULONG problem) {
    return "problem " + std::to_string(problem) + ": " + device::ProblemText(problem);
}

}  // namespace

const char* ActionResultName(ActionResult result) {
    switch (result) {
        case ActionResult::Done:
            return "done";
        case ActionResult::Requested:
            return "requested";
        case ActionResult::Failed:
            return "failed";
        case ActionResult::RebootNeeded:
            return "reboot-needed";
    }
    return "failed";
}

std::string CompanionMissingText(const std::string& path) {
    return "kevra64.exe, which restarts devices and installs the driver on 64-bit Windows, "
           "is missing: it was looked for " +
           (path.empty() ? std::string("beside this program, whose own path could not be read")
                         : "at " + path);
}

RestartResult RestartDeviceNow(device::TDevice& device) {
    // Read before the restart: the device's pair may name a node that is gone after it.
    const std::string instanceId = device.GetInstanceId();
    // The same verified restart as the window's (in-process, or the companion waited
    // for under WOW64): a problem the filter caused has been reverted by the time it
    // returns.
    ScriptHost host(false, false);
    const restart::RestartOutcome outcome = *commands::Restart(device, host).restart;
    RestartResult restart;
    switch (outcome.kind) {
        case restart::RestartOutcome::Kind::Restarted:
            break;
        case restart::RestartOutcome::Kind::NeedsReboot:
            restart.result = ActionResult::RebootNeeded;
            return restart;
        case restart::RestartOutcome::Kind::ProblemReverted:
        case restart::RestartOutcome::Kind::ProblemNotCured:
            restart.result = ActionResult::Failed;
            restart.problem = outcome.problem;
            restart.filterTakenOff = true;
            restart.worksAgain = outcome.kind == restart::RestartOutcome::Kind::ProblemReverted;
            return restart;
        case restart::RestartOutcome::Kind::CompanionMissing:
            restart.result = ActionResult::Failed;
            restart.companionMissing = true;
            restart.companionPath = restart::CompanionPath();
            return restart;
        case restart::RestartOutcome::Kind::OtherProblem:
            restart.result = ActionResult::Failed;
            restart.problem = outcome.problem;
            return restart;
        case restart::RestartOutcome::Kind::StateUnknown:
        case restart::RestartOutcome::Kind::Failed:
            restart.result = ActionResult::Failed;
            return restart;
    }
    // Not every problem is the filter's to revert (another driver's filter, say), but a
    // device that does not start after a restart is never reported as done.
    const device::DeviceState state = device::ReadDeviceState(instanceId);
    if (state.HasProblem()) {
        restart.result = ActionResult::Failed;
        restart.problem = state.problem;
    }
    return restart;
}

std::string RestartText(const RestartResult& restart) {
    std::string text = ActionResultName(restart.result);
    if (restart.filterTakenOff) {
        text += ": the device did not start with the filter (" + ProblemPart(restart.problem) +
                "), so the filter was taken off again; " +
                (restart.worksAgain ? "the device works again" : "the device still does not start");
    } else if (restart.problem != 0) {
        text += ": the device does not start (" + ProblemPart(restart.problem) + ")";
    } else if (restart.companionMissing) {
        text += ": " + CompanionMissingText(restart.companionPath);
    }
    return text;
}

void WriteRestartJson(JsonWriter& json, const RestartResult* restart) {
    json.Key("restart");
    if (restart == nullptr) {
        json.Null();
        return;
    }
    json.String(ActionResultName(restart->result));
    if (restart->problem != 0) {
        json.Key("problem").Number(restart->problem);
        json.Key("problemText").String(device::ProblemText(restart->problem));
    }
    if (restart->filterTakenOff) {
        json.Key("reverted").Bool(true);
    }
    if (restart->companionMissing) {
        json.Key("companionMissing").String(restart->companionPath);
    }
}

InstallResult InstallDriverService() {
    ScriptHost host(false, false);
    InstallResult install;
    switch (*commands::InstallService(host).install) {
        case restart::InstallOutcome::Installed:
            install.result = ActionResult::Done;
            break;
        case restart::InstallOutcome::NotInstalled:
        case restart::InstallOutcome::Failed:
            // What the service manager says now: what is missing, or that it cannot tell.
            install.why = health::DriverText(restart::ReadFilterService());
            break;
        case restart::InstallOutcome::CompanionMissing:
            install.why = CompanionMissingText(restart::CompanionPath());
            break;
    }
    return install;
}

}  // namespace cli
