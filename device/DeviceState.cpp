#include "device/DeviceState.h"

#include <vector>

#include "platform/Platform.h"

namespace device {

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

// The codes a driver of the device's stack gives when it cannot be loaded or started,
// which is all a lower filter can do to a device:
//   10 CM_PROB_FAILED_START        a driver of the stack failed the start request
//   19 CM_PROB_REGISTRY            a filter entry names a service whose key is bad
//   31 CM_PROB_FAILED_ADD          a driver's AddDevice failed
//   32 CM_PROB_DISABLED_SERVICE    a driver's service is disabled
//   37 CM_PROB_FAILED_DRIVER_ENTRY a driver's DriverEntry failed
//   39 CM_PROB_DRIVER_FAILED_LOAD  a driver's file is missing or damaged
//   40 CM_PROB_DRIVER_SERVICE_KEY_INVALID  a driver's service entry is missing
//   48 CM_PROB_DRIVER_BLOCKED      a driver was blocked from loading
//   52 CM_PROB_UNSIGNED_DRIVER     a driver's signature cannot be verified
// Not among them: 43 (CM_PROB_FAILED_POST_START) is posted after a successful start,
// when the device or its function driver reports a fault; the filter only rewrites the
// endpoint descriptor before the start, so its failures show as 10.
constexpr ULONG kDriverLoadProblems[] = {10, 19, 31, 32, 37, 39, 40, 48, 52};
constexpr ULONG kNeedRestart = 14;

}  // namespace

ProblemKind KindOfProblem(ULONG problem) {
    if (problem == 0) {
        return ProblemKind::None;
    }
    if (problem == kNeedRestart) {
        return ProblemKind::NeedsReboot;
    }
    for (const ULONG code : kDriverLoadProblems) {
        if (code == problem) {
            return ProblemKind::DriverLoad;
        }
    }
    return ProblemKind::Other;
}

bool DeviceState::HasProblem() const {
    return present && known && (status & DN_HAS_PROBLEM) != 0;
}

bool DeviceState::Started() const {
    return present && known && (status & (DN_STARTED | DN_HAS_PROBLEM)) == DN_STARTED;
}

ProblemKind DeviceState::Problem() const {
    // A problem flag without a code still is a problem; it is nobody's known fault.
    return HasProblem() ? (problem != 0 ? KindOfProblem(problem) : ProblemKind::Other)
                        : ProblemKind::None;
}

DeviceState ReadDeviceState(const std::string& instanceId) {
    DeviceState state;
    // The platform takes the ID through a pointer to writable characters.
    std::vector<char> id(instanceId.begin(), instanceId.end());
    id.push_back('\0');
    DEVINST node = 0;
    const CONFIGRET located = plat::CM_Locate_DevNodeA(&node, id.data(), CM_LOCATE_DEVNODE_NORMAL);
    if (located == CR_NO_SUCH_DEVNODE) {
        state.known = true;  // known to be absent
        return state;
    }
    if (located != CR_SUCCESS || node == 0) {
        return state;  // the configuration manager could not be asked: unknown
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

}  // namespace device
