// A device's state as the configuration manager reports it: whether it is present
// (located by its instance ID), whether it started, and its problem code when not.
#pragma once

#include <string>

#include "platform/WinTypes.h"

struct DeviceState {
    bool present = false;  // located among the present devices
    bool known = false;    // its status was read
    ULONG status = 0;      // DN_ flags
    ULONG problem = 0;     // CM_PROB_ code, while DN_HAS_PROBLEM is set

    // A present device whose status says it has a problem; an unknown status is none.
    bool HasProblem() const;
};

// Locates the device by instance ID (CM_Locate_DevNodeA, present devices only) and
// reads its status and problem (CM_Get_DevNode_Status).
DeviceState ReadDeviceState(const std::string& instanceId);

// What a problem code means, in a few plain words for a message: "Windows cannot load
// the driver for this device (it may be missing or damaged)".
std::string ProblemText(ULONG problem);
