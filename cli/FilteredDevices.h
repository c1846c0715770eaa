// Every USB device whose lower-filter list names the filter, present or not: a
// device unplugged while it carries the filter still fails to start when it comes
// back without the driver, so it belongs in the status too.
#pragma once

#include <string>
#include <vector>

#include "device/DeviceState.h"

namespace cli {

struct FilteredDevice {
    std::string instanceId;
    std::string description;
    DeviceState state;
};

// In the listing order of instance IDs. Raises EDeviceError when the devices cannot
// be enumerated.
std::vector<FilteredDevice> FindFilteredDevices();

}  // namespace cli
