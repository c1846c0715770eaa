#include "device/DeviceState.h"

#include <vector>

#include "platform/Platform.h"

namespace {

struct ProblemName {
    ULONG code;
    const char* text;
};

// The problems a device of this kind is likely to report, Device Manager's codes.
constexpr ProblemName kProblems[] = {
    {1, "the device is not configured correctly"},
    {3, "its driver may be damaged, or Windows is short of memory"},
    {10, "the device cannot start"},
    {12, "the device cannot find enough free resources"},
    {14, "the device cannot work properly until Windows is restarted"},
    {18, "the drivers for this device must be reinstalled"},
    {19, "its configuration in the registry is incomplete or damaged"},
    {21, "Windows is removing this device"},
    {22, "the device is disabled"},
    {24, "the device is not present, not working, or lacks some of its drivers"},
    {28, "the drivers for this device are not installed"},
    {29, "the device is disabled by its firmware"},
    {31, "Windows cannot load the drivers this device needs"},
    {32, "a driver service this device needs is disabled"},
    {37, "Windows cannot initialize the driver for this device"},
    {38, "a previous instance of the device's driver is still in memory"},
    {39, "Windows cannot load the driver for this device (it may be missing or damaged)"},
    {40, "a driver service entry of this device is missing or damaged in the registry"},
    {41, "Windows loaded the driver but cannot find the device"},
    {43, "Windows stopped the device because it reported problems"},
    {45, "the device is not connected"},
    {48, "the driver for this device has been blocked from starting"},
    {52, "Windows cannot verify the signature of the drivers for this device"},
};

}  // namespace

bool DeviceState::HasProblem() const {
    return present && known && (status & DN_HAS_PROBLEM) != 0;
}

DeviceState ReadDeviceState(const std::string& instanceId) {
    DeviceState state;
    // The platform takes the ID through a pointer to writable characters.
    std::vector<char> id(instanceId.begin(), instanceId.end());
    id.push_back('\0');
    DEVINST node = 0;
    if (plat::CM_Locate_DevNodeA(&node, id.data(), CM_LOCATE_DEVNODE_NORMAL) != CR_SUCCESS ||
        node == 0) {
        return state;
    }
    state.present = true;
    ULONG status = 0;
    ULONG problem = 0;
    if (plat::CM_Get_DevNode_Status(&status, &problem, node, 0) == CR_SUCCESS) {
        state.known = true;
        state.status = status;
        state.problem = (status & DN_HAS_PROBLEM) != 0 ? problem : 0;
    }
    return state;
}

std::string ProblemText(ULONG problem) {
    for (const ProblemName& name : kProblems) {
        if (name.code == problem) {
            return name.text;
        }
    }
    return "the device reports a problem";
}
