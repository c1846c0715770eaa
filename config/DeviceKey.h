// Opens one of a device's registry keys through its pair, for reading and writing.
#pragma once

#include "config/RegKey.h"

namespace device {
class TDevice;
}  // namespace device

namespace config {

// keyType is DIREG_DEV (the hardware key) or DIREG_DRV (the driver key). The key is
// never created; a device without it gives an invalid RegKey. The window, which always
// runs elevated, opens with KEY_ALL_ACCESS for reading too; a reader that may run as a
// standard user passes KEY_READ, as the keys refuse it any right to change them.
RegKey OpenDeviceKey(device::TDevice& device, DWORD keyType, REGSAM access = KEY_ALL_ACCESS);

}  // namespace config
