#include "config/DeviceKey.h"

#include "device/Device.h"
#include "platform/Platform.h"

namespace config {

RegKey OpenDeviceKey(device::TDevice& device, DWORD keyType, REGSAM access) {
    return RegKey(plat::SetupDiOpenDevRegKey(device.DevInfoSet, &device.DevInfoData,
                                             DICS_FLAG_GLOBAL, 0, keyType, access));
}

}  // namespace config
