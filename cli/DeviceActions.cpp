#include "cli/DeviceActions.h"

#include "restart/Restart.h"
#include "device/Device.h"

namespace cli {

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

ActionResult RestartDeviceNow(TDevice& device) {
    // The same verified restart as the window's (in-process, or the companion waited
    // for under WOW64); a problem the filter caused has been reverted by the time it
    // returns, which counts as a failed restart for a script.
    const RestartOutcome outcome = RequestDeviceRestart(device, nullptr);
    switch (outcome.kind) {
        case RestartOutcome::Kind::Restarted:
            return ActionResult::Done;
        case RestartOutcome::Kind::NeedsReboot:
            return ActionResult::RebootNeeded;
        default:
            return ActionResult::Failed;
    }
}

ActionResult InstallDriverService() {
    return RequestServiceInstall(nullptr) == InstallOutcome::Requested ? ActionResult::Requested
                                                                       : ActionResult::Failed;
}

}  // namespace cli
