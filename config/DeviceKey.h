// Opens one of a device's registry keys through its pair, for reading and writing.
#pragma once

#include "config/RegKey.h"

class TDevice;

// keyType is DIREG_DEV (the hardware key) or DIREG_DRV (the driver key). The key is
// never created; a device without it gives an invalid RegKey.
RegKey OpenDeviceKey(TDevice& device, DWORD keyType);
