#include "restart/RestartOutcome.h"

#include "restart/DeviceStartWait.h"
#include "device/DeviceState.h"

namespace restart {

namespace {

std::string ProblemSentence(ULONG problem) {
    return "The device did not start with the filter driver (code " + std::to_string(problem) +
           ": " + device::ProblemText(problem) + ").";
}

}  // namespace

int CompanionExitCode(const RestartOutcome& outcome) {
    using Kind = RestartOutcome::Kind;
    const int problem = static_cast<int>(outcome.problem & 0xFF);
    switch (outcome.kind) {
        case Kind::Restarted:
            return kCompanionDone;
        case Kind::NeedsReboot:
            return kCompanionNeedsReboot;
        case Kind::ProblemReverted:
            return kCompanionReverted | problem;
        case Kind::ProblemNotCured:
            return kCompanionNotCured | problem;
        case Kind::OtherProblem:
            return kCompanionOtherProblem | problem;
        case Kind::StateUnknown:
            return kCompanionStateUnknown;
        case Kind::CompanionMissing:
        case Kind::Failed:
            break;
    }
    return kCompanionFailed;
}

RestartOutcome OutcomeOfCompanionExit(DWORD exitCode) {
    using Kind = RestartOutcome::Kind;
    if (exitCode == kCompanionDone) {
        return {Kind::Restarted, 0};
    }
    if (exitCode == kCompanionNeedsReboot) {
        return {Kind::NeedsReboot, 0};
    }
    if (exitCode == kCompanionStateUnknown) {
        return {Kind::StateUnknown, 0};
    }
    const DWORD problem = exitCode & 0xFF;
    if (problem != 0 && (exitCode & ~0xFFu) == static_cast<DWORD>(kCompanionReverted)) {
        return {Kind::ProblemReverted, problem};
    }
    if (problem != 0 && (exitCode & ~0xFFu) == static_cast<DWORD>(kCompanionNotCured)) {
        return {Kind::ProblemNotCured, problem};
    }
    if (problem != 0 && (exitCode & ~0xFFu) == static_cast<DWORD>(kCompanionOtherProblem)) {
        return {Kind::OtherProblem, problem};
    }
    return {Kind::Failed, 0};
}

std::string DescribeRestartOutcome(const RestartOutcome& outcome,
                                   const std::string& companionPath) {
    using Kind = RestartOutcome::Kind;
    switch (outcome.kind) {
        case Kind::NeedsReboot:
            return "Windows must be restarted before the change takes effect on this device: "
                   "the device is in use and could not be stopped, or it waits for that "
                   "restart.";
        case Kind::ProblemReverted:
            return ProblemSentence(outcome.problem) +
                   "\n\nThe filter was removed from the device and the device was restarted; it "
                   "works as before. Install the driver service (Install Service) before you "
                   "put the filter on the device again.";
        case Kind::ProblemNotCured:
            return ProblemSentence(outcome.problem) +
                   "\n\nThe filter was removed from the device and the device was restarted, "
                   "but it still does not start. Restart Windows; if the device still does not "
                   "work, unplug it and plug it in again, or look at it in Device Manager.";
        case Kind::OtherProblem:
            return "The device was restarted and reports problem " +
                   std::to_string(outcome.problem) + ": " + device::ProblemText(outcome.problem) +
                   ".\n\nThe filter driver does not cause this problem, so the device's "
                   "settings were left as they are.";
        case Kind::StateUnknown:
            return "The device was restarted, but within " +
                   std::to_string(kDeviceStartWaitMs / 1000) +
                   " seconds it neither started nor reported a problem: its state is unknown. "
                   "Look at it again in a moment (Filter health...), or in Device Manager.";
        case Kind::CompanionMissing:
            return "The device cannot be restarted and the driver cannot be installed on 64-bit "
                   "Windows without kevra64.exe, which must be in the same folder as this "
                   "program" +
                   (companionPath.empty() ? std::string(".") : std::string(":\n") + companionPath);
        case Kind::Restarted:
        case Kind::Failed:
            break;
    }
    return {};
}

}  // namespace restart
