#include "device/DeviceList.h"

#include <memory>

#include "device/DevInfo.h"
#include "platform/Platform.h"

namespace device {

TDeviceList::TDeviceList(bool MiceOnly, bool AllDevices) {
    // Both handles start invalid, so a failure below releases only what was created.
    if (AllDevices) {
        DevInfoSet = DevInfoSetHandle(
            plat::SetupDiGetClassDevsA(nullptr, "USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
        MiceOnly = false;
    } else {
        DevInfoSet = DevInfoSetHandle(plat::SetupDiGetClassDevsA(&guids::GUID_DEVCLASS_HIDCLASS,
                                                                 "USB", nullptr, DIGCF_PRESENT));
    }
    if (!DevInfoSet.valid()) {
        throw EDeviceError("SetupDiGetClassDevs");
    }
    RelatedSet = DevInfoSetHandle(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!RelatedSet.valid()) {
        throw EDeviceError("SetupDiCreateDeviceInfoList");
    }

    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    for (DWORD index = 0; plat::SetupDiEnumDeviceInfo(DevInfoSet.get(), index, &element); ++index) {
        auto device = std::make_unique<TDevice>(DevInfoSet.get(), element, RelatedSet.get());
        const bool keep =
            (!MiceOnly || device->IsMouseParent()) && (!AllDevices || !device->IsHub());
        if (keep) {
            Add(std::move(device));
        }
    }
}

// Both sets go before the base class frees the devices; that order is safe because
// destroying a device makes no platform call.
TDeviceList::~TDeviceList() {
    DevInfoSet.reset();
    RelatedSet.reset();
}

TDevice& TDeviceList::GetDevice(int index) const {
    if (Count() > 0 && index < Count()) {
        return Items(index);
    }
    throw EDeviceError("TDeviceList.GetDevice(" + std::to_string(index) + ") from " +
                       std::to_string(Count()));
}

}  // namespace device
