// Every device the window can act on, for profiles: the devices of both list modes
// (the HID devices and every USB device but hubs) and the parents that "Process
// Parent" reaches from them, each once (instance IDs compared without letter case),
// in list order with each parent after the first device that reaches it.
#pragma once

#include <vector>

#include "device/DeviceList.h"

namespace cli {

class ReachableDevices {
  public:
    // Raises the lists' EDeviceError when a list cannot be built.
    ReachableDevices();

    const std::vector<device::TDevice*>& Devices() const { return devices_; }

  private:
    void Add(device::TDevice& device);

    device::TDeviceList hidDevices_;
    device::TDeviceList usbDevices_;
    std::vector<device::TDevice*> devices_;
    std::vector<std::string> ids_;  // upper-cased, beside devices_
};

}  // namespace cli
