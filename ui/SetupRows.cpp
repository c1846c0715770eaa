// TfrmSetup: the row mapping. Which list index a grid row stands for, and which device
// a list index stands for; the device list, the input marks and the grid all ask here.
#include <string>

#include "device/Errors.h"
#include "ui/SetupF.h"

namespace ui {

int TfrmSetup::ListCount() const {
    return DeviceList ? DeviceList->Count() : 0;
}

device::TDevice& TfrmSetup::DeviceForRow(int i) {
    if (!DeviceList) {
        // No list is an empty list, with the empty list's error.
        throw device::EDeviceError("TDeviceList.GetDevice(" + std::to_string(i) + ") from 0");
    }
    device::TDevice* device = &DeviceList->GetDevice(i);
    if (cbParent->Checked()) {
        device = &device->GetParentDevice();
    }
    return *device;
}

device::TDevice& TfrmSetup::CurrentDevice() {
    return DeviceForRow(CurrentRow());
}

int TfrmSetup::ListIndexOfRow(int row) const {
    return row - dgDevices->FixedRows;
}

int TfrmSetup::CurrentRow() const {
    return ListIndexOfRow(dgDevices->Row());
}

}  // namespace ui
