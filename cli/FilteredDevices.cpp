#include "cli/FilteredDevices.h"

#include "config/LowerFilters.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "device/Errors.h"
#include "platform/Platform.h"

namespace cli {

std::vector<FilteredDevice> FindFilteredDevices() {
    // Without DIGCF_PRESENT the set holds the devices Windows remembers as well.
    const DevInfoSetHandle set(
        plat::SetupDiGetClassDevsA(nullptr, "USB", nullptr, DIGCF_ALLCLASSES));
    if (!set.valid()) {
        throw EDeviceError("SetupDiGetClassDevs");
    }
    std::vector<FilteredDevice> found;
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    for (DWORD index = 0; plat::SetupDiEnumDeviceInfo(set.get(), index, &element); ++index) {
        TDevice device(set.get(), element, INVALID_HANDLE_VALUE);
        if (!HasFilter(device)) {
            continue;
        }
        FilteredDevice filtered;
        filtered.instanceId = device.GetInstanceId();
        filtered.description = device.GetDescription();
        filtered.state = ReadDeviceState(filtered.instanceId);
        found.push_back(std::move(filtered));
    }
    return found;
}

}  // namespace cli
