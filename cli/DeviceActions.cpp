#include "cli/DeviceActions.h"

#include "cli/ScriptHost.h"
#include "commands/DeviceCommands.h"

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
    ScriptHost host(false, false);
    switch (commands::Restart(device, host).restart->kind) {
        case RestartOutcome::Kind::Restarted:
            return ActionResult::Done;
        case RestartOutcome::Kind::NeedsReboot:
            return ActionResult::RebootNeeded;
        default:
            return ActionResult::Failed;
    }
}

ActionResult InstallDriverService() {
    ScriptHost host(false, false);
    return commands::InstallService(host).Written() ? ActionResult::Requested
                                                    : ActionResult::Failed;
}

}  // namespace cli
