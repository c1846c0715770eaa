#include "confirm/WatchedDevice.h"

#include "device/Device.h"
#include "input/CollectionRows.h"

namespace confirm {

WatchedDevice WatchedDeviceOf(device::TDevice& device) {
    WatchedDevice watched;
    watched.instanceId = device.GetInstanceId();
    watched.name = device.GetDescription();
    watched.collections = input::HidCollectionsBelow(device.DevInfoData.DevInst);
    watched.keyboard = !device.IsMouseParent();
    watched.changed = ReadDriveSettings(device);
    return watched;
}

}  // namespace confirm
