// A device's state as the configuration manager reports it: whether it is present
// (located by its instance ID), whether it started, and its problem code when not.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace device {

// What a problem code says about the filter. Only a failure to load or start a driver
// of the device's stack can be the filter's; a device waiting for Windows to restart
// needs that restart; every other problem (disabled by the user, no driver installed,
// being removed, held for eject, a device that failed after it started) is the
// device's own and is shown as it is, never answered by taking the filter off.
enum class ProblemKind {
    None,         // no problem reported
    DriverLoad,   // a driver of the stack failed to load or start: possibly the filter
    NeedsReboot,  // CM_PROB_NEED_RESTART (14): restart Windows
    Other,        // the device's own problem
};

// The classification of a CM_PROB_ code (0 is None).
ProblemKind KindOfProblem(ULONG problem);

struct DeviceState {
    bool present = false;  // located among the present devices
    bool known = false;    // its status was read (or, when not present, its absence)
    ULONG status = 0;      // DN_ flags
    ULONG problem = 0;     // CM_PROB_ code, while DN_HAS_PROBLEM is set

    // A present device whose status says it has a problem; an unknown status is none.
    bool HasProblem() const;
    // A present device that reports DN_STARTED and no problem: only this is "works".
    bool Started() const;
    // The kind of its problem (None without one).
    ProblemKind Problem() const;
    // A problem the filter may have caused (a driver failed to load or start).
    bool FilterMayFail() const { return Problem() == ProblemKind::DriverLoad; }
};

// Locates the device by instance ID (CM_Locate_DevNodeA, present devices only) and
// reads its status and problem (CM_Get_DevNode_Status). Only CR_NO_SUCH_DEVNODE means
// the device is not present; any other failure to locate it leaves the state unknown
// (present and known both false).
DeviceState ReadDeviceState(const std::string& instanceId);

// What a problem code means, in a few plain words for a message: "Windows cannot load
// the driver for this device (it may be missing or damaged)".
std::string ProblemText(ULONG problem);

}  // namespace device
