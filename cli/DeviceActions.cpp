#include "cli/DeviceActions.h"

#include "config/PropertyChange.h"
#include "config/Restart.h"
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
    if (IsWow64()) {
        RequestDeviceRestart(device, nullptr);
        return ActionResult::Requested;
    }
    // In-process, the property change tells whether the class installer took it;
    // RequestDeviceRestart would drop that answer.
    return RequestPropertyChange(device.DevInfoSet, device.DevInfoData) ? ActionResult::Done
                                                                        : ActionResult::Failed;
}

ActionResult InstallDriverService() {
    RequestServiceInstall(nullptr);
    return ActionResult::Requested;
}

}  // namespace cli
