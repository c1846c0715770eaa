// Which questions attaching the filter to a device deserves, the rule that the window
// asks by and colours its rows by, and that the command-line program's --force stands
// for. The filter sits below a USB device's function driver and works only where the
// device talks to a hub directly, so a hub itself and a device behind a non-hub
// parent (an interface of a composite device) are the doubtful cases.
#pragma once

#include <functional>

namespace device {
class TDevice;
}  // namespace device

namespace config {

// Whether a device is a USB hub. Each answer costs the platform a device information
// set, so a caller that asks about many devices may give one that keeps its answers.
using HubTest = std::function<bool(device::TDevice&)>;

// The hub question: the device is a USB hub.
bool AsksHubQuestion(device::TDevice& device);
bool AsksHubQuestion(device::TDevice& device, const HubTest& isHub);
// The usefulness question: the device's parent is no hub. Opens the parent, so it
// raises EDeviceError("GetParentDevice.GetDevInfoByDevInst") when that fails.
bool AsksUsefulnessQuestion(device::TDevice& device);
bool AsksUsefulnessQuestion(device::TDevice& device, const HubTest& isHub);

}  // namespace config
