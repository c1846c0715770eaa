// The filter's health: every device whose lower-filter list carries the filter,
// present or not, with what its state says about it. Present devices are found with
// the configuration manager; devices that are not plugged in are known to Windows
// still (their settings stay), and a device information set made without
// DIGCF_PRESENT lists them too.
#pragma once

#include <string>
#include <vector>

#include "restart/DriverService.h"
#include "device/DeviceState.h"

namespace health {

enum class FilterCondition {
    Working,       // present and started (DN_STARTED)
    Problem,       // present, and a driver of its stack failed to load or start
    NeedsReboot,   // present, and waiting for Windows to restart (problem 14)
    OtherProblem,  // present, with a problem of its own that the filter cannot cause
    NotStarted,    // present, neither started nor reporting a problem (still starting)
    StateUnknown,  // its status, or whether it is present, could not be read
    NotPresent,    // not plugged in; the driver can load, or whether it can is unknown
    WillNotStart,  // not plugged in, and the driver is known to be unable to load
};

struct FilteredDevice {
    std::string instanceId;
    std::string description;  // empty when the device has none
    device::DeviceState state;
    FilterCondition condition = FilterCondition::Working;
    std::string productName;  // as the device reports it on its bus; empty without one

    // Taking the filter off is what makes it start: it reports a problem while it
    // carries the filter, or it would the next time it is plugged in.
    bool Repairable() const;
};

struct FilterHealth {
    bool listed = false;  // the devices could be enumerated
    restart::DriverServiceState driver;
    std::vector<FilteredDevice> devices;  // in the order of their instance IDs

    int RepairableCount() const;
};

// Enumerates every USB device, present or not, and keeps those that carry the filter.
FilterHealth ReadFilterHealth();

// How the device is, for the user: "works", "problem 39: Windows cannot load ...",
// "not present" and so on.
std::string ConditionText(const FilteredDevice& device);

// How the filter's driver is, for the user.
std::string DriverText(const restart::DriverServiceState& driver);

}  // namespace health
