// Wine keeps no device tree: CM_Get_Parent fails for every device, and the setup
// window raises (as it would on Windows for a USB device without a parent) as soon
// as it paints a row. For the benchmark only, this shim answers CM_Get_Parent from
// the bench's own plan of the prefix's devices (each block of ten: a hub, a
// composite device under it, and the other eight under the composite), returning
// the node of the parent opened into a set the shim keeps. Every other call of a
// paint still goes to Wine; children stay absent, as Wine reports them.
#pragma once

#include <functional>
#include <string>

namespace winbench {

// The instance ID of the parent of a device, or empty for a device without one.
using ParentOf = std::function<std::string(const std::string& instanceId)>;

class DeviceTreeShim {
  public:
    explicit DeviceTreeShim(ParentOf parentOf);
    ~DeviceTreeShim();
    DeviceTreeShim(const DeviceTreeShim&) = delete;
    DeviceTreeShim& operator=(const DeviceTreeShim&) = delete;
};

}  // namespace winbench
