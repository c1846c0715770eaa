// What the wait after a restart needs to know of a device, read from it before the
// restart: its names, its HID collections and the settings it is restarted with.
#pragma once

#include "confirm/Watch.h"

namespace device {
class TDevice;
}  // namespace device

namespace confirm {

// `changed` holds the device's settings now; `started` is left to the caller.
WatchedDevice WatchedDeviceOf(device::TDevice& device);

}  // namespace confirm
