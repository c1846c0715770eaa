#include "cli/ReachableDevices.h"

#include <algorithm>

#include "cli/Arguments.h"
#include "device/Errors.h"

namespace cli {

ReachableDevices::ReachableDevices() : hidDevices_(false, false), usbDevices_(false, true) {
    for (const device::TDeviceList* list : {&hidDevices_, &usbDevices_}) {
        for (int i = 0; i < list->Count(); ++i) {
            device::TDevice& device = list->GetDevice(i);
            Add(device);
            try {
                Add(device.GetParentDevice());
            } catch (const device::EDeviceError&) {
                // A parent that cannot be opened is out of reach, as in the window.
            }
        }
    }
}

void ReachableDevices::Add(device::TDevice& device) {
    std::string id = base::UpperAscii(device.GetInstanceId());
    if (id.empty() || std::find(ids_.begin(), ids_.end(), id) != ids_.end()) {
        return;
    }
    ids_.push_back(std::move(id));
    devices_.push_back(&device);
}

}  // namespace cli
